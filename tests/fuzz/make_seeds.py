#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/: the
examples' files and hand-made edge cases, in Windows-1251 with CR LF. Run it
again after changing the examples; libFuzzer adds its own finds beside them."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLES = HERE.parent.parent / "examples"
SEP = b"\n#--next-file--#\n"


def cp(text):
    return text.replace("\n", "\r\n").encode("cp1251")


def example(name):
    return (EXAMPLES / name).read_bytes()


def write(target, seeds):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


cables, blocks, project = example("Кабель.ini"), example("Блок.ini"), example("Дом 5.луч")

write("profile_file", {
    "cables.ini": cables, "blocks.ini": blocks, "project.ini": project,
    "settings.ini": example("Tarvel.ini"),
    "empty.ini": b"",
    "preamble.ini": cp("; comment\nkey=before any section\n[A]\nk=v\n"),
    "quoted.ini": cp('[A]\nq="  blanks  "\ns=\'single\'\nhalf="x\n  Spaced Key  =  v  \n'),
    "duplicates.ini": cp("[a]\nk=1\nK=2\n[A]\nk=3\n[b]\n[B]\nx=0x1F\ny=-0X10\nz=1,5E3\n"),
    "odd_lines.ini": b"[s]\rk=v\r\n\n[t]\nk2=\x00nul\x00\n[u\n=novalue\n[]\n=empty key\n",
    "long_value.ini": cp("[L]\nv=" + "я" * 3000 + "\n"),
    "all_bytes.ini": b"[bytes]\r\nall=" + bytes(b for b in range(256) if b not in (10, 13)) + b"\r\n",
    "numbers.ini": cp("[n]\na=2147483647\nb=2147483648\nc=-2147483648\nd=0xFFFFFFFF\n"
                      "e=1e400\nf=1e-400\ng= 12 \nh=12abc\n"),
})

write("project", {
    "sample.луч": project,
    "sample_with_libraries.луч": project + SEP + cables + SEP + blocks,
    "count_zero.луч": cp("[Луч]\nБлоков=0\n"),
    "count_16bit.луч": cp("[Луч]\nБлоков=65537\n[Блок1]\nДлина=10\n"),
    "count_max.луч": cp("[Луч]\nБлоков=4096\nНапряжение=1000\nТочность=0,001\n"),
    "hostile_params.луч": cp("[Луч]\nБлоков=3\nНапряжение=1e300\nГрозозащита=-5\nТочность=1e-30\n"
                             "Ток=1e50\nC=-1\nL=NaN\n[Блок1]\nКабель=КСПВ 2х0,5\nДлина=2147483647\n"
                             "Блок=Расширитель адресный на 4 шлейфа\nРежим=Тревога\nЗБ=1\n"
                             "[Блок2]\nДлина=-2147483648\n[Блок3]\nАдрес=\"  в кавычках  \"\n"),
    "high_voltage.луч": cp("[Луч]\nБлоков=2\nНапряжение=999,99\nТочность=0,001\n"
                           "[Блок1]\nКабель=КСПВ 2х0,5\nДлина=1000\n"
                           "Блок=Расширитель адресный на 4 шлейфа\nРежим=Нормальный\nЗБ=1\n"
                           "[Блок2]\nКабель=КСПВ 2х0,5\nДлина=1000\n"
                           "Блок=Блок сопряжения с дымовыми извещателями\nРежим=Пожар\n"),
    "hostile_libraries.луч": project + SEP +
        cp("[Кабель1]\nНазвание=КСПВ 2х0,8\nСопротивление=2147483647\nЕмкость=-2147483648\n"
           "Волновое=2147483647\n") + SEP +
        cp("[Блок0]\nНазвание=Расширитель адресный на 4 шлейфа\nРежим1=Нормальный\nP1=2147483647\n"
           "Umin=1e308\n[Блок1]\nНазвание=Изолятор короткого замыкания\nРежим1=Нормальный\nP1=0\n"
           "I1=1e300\nUmin=-1\n"),
})

regimes31 = "".join(f"Режим{r}=Р{r}\nP{r}={r * 10}\nI{r}={r},5\n" for r in range(1, 33))
write("libraries", {
    "examples.ini": cables + SEP + blocks,
    "cables_only.ini": cables,
    "blocks_only.ini": SEP + blocks,
    "gaps.ini": cp("[Кабель1]\nНазвание=А\n[Кабель3]\nНазвание=В\n") + SEP +
        cp("[Блок0]\nНазвание=Х\n[Блок2]\nНазвание=Х\nUmin=abc\n[Блок1]\n"),
    "regimes.ini": cp("[Кабель1]\nНазвание=\"в кавычках\"\nСопротивление=0x10\nЕмкость=80пФ\n") + SEP +
        cp("[Блок0]\nНазвание=Много режимов\n" + regimes31 + "Umin=9\n"
           "[Блок1]\nНазвание=Дубль\nРежим1=\nP1=5\nРежим2=Р\nP2=x\nI2=,5\n[блок2]\nназвание=Дубль\n"),
})

write("clipboard", {
    "two_rows.ini": cp("[0]\nАдрес=Подвал\nКабель=КСПВ 2х0,8\nДлина=35\nБлок=Изолятор\n"
                       "Режим=Нормальный\nP=0\nЗБ=1\nI=3,5\n[1]\nАдрес=Этаж 1\nДлина=40\nI=12.25\n"),
    "gap.ini": cp("[0]\nАдрес=А\n[2]\nАдрес=В\n[other]\nk=v\n"),
    "no_zero.ini": cp("[1]\nАдрес=А\n"),
    "hostile.ini": cp("[0]\nДлина=2147483648\nP=-0x80000000\nЗБ=abc\nI=1e39\n[1]\nI=-1e400\n"
                      "Адрес=\" blank \"\n"),
    "empty.ini": b"",
})

write("replacement_list", {
    "rules.ini": cp("Изолятор>Изолятор новый\nА>Б>В\n"),
    "no_mark.ini": cp("без знака\n\n>только новое\nтолько старое>\n"),
    "long.ini": cp("я" * 126 + ">после\n" + "я" * 127 + ">не видно\n"),
    "bytes.ini": b"\x00>\x98\r\r\n\xff>\x80",
    "empty.ini": b"",
})

write("numbers", {f"n{k}.txt": s if isinstance(s, bytes) else s.encode("cp1251")
                  for k, s in enumerate([
    "12,5", "1e3", " -0x1F", "0X7fffffff", "1.5e308", "1e309", "9999999999", "-2147483649",
    "  +.5e-3  ", "\t\v12", "%2.2f|%3d|%-32s|%c|%%", "%-4s|%08.3e|%+g|%#x", "%99999d%.99999f",
    "#.##", "###0.### мГн", "0.### мкФ", "4.9e-324", ",", "-", "+-1", "0x", "1e", "Ом",
    b"\xff\xfe\x98 \xd1\x8f\xc0", "я",
])})


def ray(search, step, supply, rows):
    """A ray for fuzz_solver: step is the index into its steps (0: 0.001 V, 1: 0.5 V, 2: 0.05 V);
    each row is (load kind 0 current / 1 power, lightning protection index, segment in 0.01 Ohm,
    load in 0.01 mA or mW, minimum voltage in V)."""
    out = bytes([search | step << 5, len(rows) - 1]) + round((supply - 1) / 0.0152).to_bytes(2, "little")
    for kind, zb, segment, load, umin in rows:
        high = umin >= 985
        code = round((umin - 985) / 0.1) if high else round((umin - 1) / 0.25)
        out += bytes([kind | zb << 2 | high << 7]) + segment.to_bytes(2, "little", signed=True)
        out += load.to_bytes(2, "little", signed=True) + bytes([code])
    return out


usual = [(0, 0, 1, 5, 9), (1, 0, 2, 2, 9), (1, 2, 1, 3, 9), (0, 0, 2, 5, 9)] * 4
write("solver", {
    "calculation.bin": ray(0, 0, 28, usual),
    "search.bin": ray(1, 0, 28, usual),
    "collapse.bin": ray(0, 0, 28, [(1, 0, 100, 3000, 9)] * 20),
    "protected_edge.bin": ray(0, 2, 28, usual[:6] + [(1, 2, 1, 2500, 9)]),
    "search_protected_start.bin": ray(1, 0, 28, usual[:6] + [(1, 2, 1, 2025, 9)]),
    "search_climb.bin": ray(1, 1, 28, [(0, 0, 1, 100, 1000)] + [(0, 0, 1, 100, 9 + r) for r in range(12)]),
    "search_dip.bin": ray(1, 0, 28, [(0, 0, 1, 10, 60 - 2 * r) for r in range(10)] +
                          [(1, 2, 1, 10000, 1), (1, 0, 1000, 10000, 1)]),
})


# Dictionaries: the names and marks the readers look for, as Windows-1251.
def dict_entry(text):
    data = text.encode("cp1251") if isinstance(text, str) else text
    return '"' + "".join(chr(b) if 32 <= b < 127 and b not in (34, 92) else f"\\x{b:02X}"
                         for b in data) + '"'


def write_dict(target, words):
    folder = HERE / "dict"
    folder.mkdir(exist_ok=True)
    (folder / f"{target}.dict").write_text("\n".join(dict_entry(w) for w in words) + "\n")


COMMON = ["[", "]", "=", "\r\n", "\r", "\n", ";", '"', "'", " ", "0x", ",", ".", "E", "-", "+"]
PROJECT = ["[Луч]", "Блоков=", "Напряжение=", "Грозозащита=", "Точность=", "Ток=", "C=", "L=",
           "[Блок1]", "[Блок2]", "Адрес=", "Кабель=", "Длина=", "Блок=", "Режим=", "P=", "ЗБ=1",
           "Нормальный", "Пожар", "Тревога", "КСПВ 2х0,5", "Изолятор короткого замыкания"]
LIBRARY = ["[Кабель1]", "[Кабель2]", "Название=", "Сопротивление=", "Емкость=", "Волновое=",
           "Примечание=", "[Блок0]", "[Блок1]", "Режим1=", "P1=", "I1=", "Режим31=", "P31=",
           "I31=", "Umin="]
write_dict("profile_file", COMMON + PROJECT + LIBRARY)
write_dict("project", COMMON + PROJECT + LIBRARY + [SEP, "1000", "0,001", "2147483647"])
write_dict("libraries", COMMON + LIBRARY + [SEP, "2147483647", "-2147483648", "1e308"])
write_dict("clipboard", COMMON + ["[0]", "[1]", "[2]", "Адрес=", "Кабель=", "Длина=", "Блок=",
                                  "Режим=", "P=", "ЗБ=", "I="])
write_dict("replacement_list", [">", "\r\n", "\n", "\r", b"\x98", "я" * 8])
write_dict("numbers", ["%", "%-32s", "%2.2f", "%3d", "%e", "%g", "%c", "%%", "#.##", "0.###",
                       "e+", "e-", "0x", "0X", ",", ".", "inf", "nan", "2147483648", "1e308"])
