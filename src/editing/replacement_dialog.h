// What the logic of the two replacement dialogs shares: the two names typed
// or chosen, the check before "&Выполнить замену" closes the dialog, the
// dialog's answer, and its place in Tarvel.ini.
#pragma once

#include <filesystem>
#include <string>

#include "common/platform.h"
#include "common/settings_file.h"
#include "editing/replacement_choice.h"

namespace luch {

class ReplacementDialogLogic {
 public:
  // Writes the window's place into Tarvel.ini (reporting a failed write).
  void FormClose(const WindowGeometry& geometry);
  // Whether "&Выполнить замену" may close the dialog: false, after the
  // message naming them, when EditTo holds characters the files cannot hold.
  bool MayReplace() const;
  ReplacementChoice Result(bool accepted) const { return {accepted, edit_from, edit_to}; }

  std::string edit_from;  // EditFrom
  std::string edit_to;    // EditTo

 protected:
  // The place is kept in section `section` of Tarvel.ini; `design` without one.
  ReplacementDialogLogic(std::filesystem::path data_dir, Platform platform, const char* section,
                         WindowGeometry design);
  ~ReplacementDialogLogic() = default;
  // The window's place from Tarvel.ini.
  WindowGeometry LoadPlace() const;

  std::filesystem::path data_dir_;
  Platform platform_;

 private:
  const char* section_;
  WindowGeometry design_;
};

}  // namespace luch
