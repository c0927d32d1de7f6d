#include "tools/ui/icon_file.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QtEndian>

namespace luch {
namespace {

quint32 Field(const QByteArray& file, qsizetype at, int bytes) {
  const auto* data = reinterpret_cast<const uchar*>(file.constData()) + at;
  return bytes == 2 ? qFromLittleEndian<quint16>(data) : qFromLittleEndian<quint32>(data);
}

TEST(ProgramIconFile, EveryEntryLeadsToItsImage) {
  const QList<int> sizes = {16, 48, 256};
  const QByteArray file = ProgramIconFile(sizes);
  ASSERT_GE(file.size(), 6 + 16 * 3);
  EXPECT_EQ(Field(file, 2, 2), 1u);  // an icon, not a cursor
  ASSERT_EQ(Field(file, 4, 2), 3u);
  for (int i = 0; i < 3; ++i) {
    const qsizetype entry = 6 + 16 * i;
    const int side = uchar(file[entry]) == 0 ? 256 : uchar(file[entry]);
    const quint32 length = Field(file, entry + 8, 4);
    const quint32 offset = Field(file, entry + 12, 4);
    ASSERT_LE(offset + length, quint32(file.size()));
    const QImage image = QImage::fromData(file.mid(offset, length), "PNG");
    EXPECT_EQ(side, sizes[i]);
    EXPECT_EQ(image.size(), QSize(sizes[i], sizes[i]));
  }
}

TEST(ProgramIconFile, RefusesSizesAnIconCannotHold) {
  EXPECT_TRUE(ProgramIconFile({}).isEmpty());
  EXPECT_TRUE(ProgramIconFile({32, 257}).isEmpty());
  EXPECT_TRUE(ProgramIconFile({0}).isEmpty());
}

}  // namespace
}  // namespace luch
