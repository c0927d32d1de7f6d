# The manual page of the program from its Markdown manual, so that both say
# the same. Knows what the manual uses: "# Name — summary" on the first line,
# "##" and "###" headings, paragraphs, "-" and "1." lists with indented
# continuation lines, ``` blocks, **bold** and `code`. POSIX awk.
#
#   awk -v name=luch -v version=1.2.0 -f md-to-man.awk luch.ru.md > luch.1

# Backslashes and a leading dot or quote would be read as roff requests.
function escape(text) {
  gsub(/\\/, "\\e", text)
  return text
}

function line_start(text) {
  if (text ~ /^[.']/) return "\\&" text
  return text
}

# **x** and `x` become bold; hyphens in them are minus signs (options).
function inline(text,    out, mark, start, rest, stop, inner) {
  text = escape(text)
  out = ""
  while (1) {
    start = 0
    mark = ""
    if (index(text, "**") > 0) { start = index(text, "**"); mark = "**" }
    if (index(text, "`") > 0 && (start == 0 || index(text, "`") < start)) {
      start = index(text, "`"); mark = "`"
    }
    if (start == 0) break
    rest = substr(text, start + length(mark))
    stop = index(rest, mark)
    if (stop == 0) break
    inner = substr(rest, 1, stop - 1)
    gsub(/-/, "\\-", inner)
    out = out substr(text, 1, start - 1) "\\fB" inner "\\fR"
    text = substr(rest, stop + length(mark))
  }
  return out text
}

function heading(text) {
  gsub(/"/, "", text)
  return "\"" escape(text) "\""
}

BEGIN {
  if (name == "") name = "luch"
  paragraph = 0  # a blank line came: the next text opens a paragraph
  in_list = 0
  in_code = 0
}

NR == 1 && /^# / {
  title = substr($0, 3)
  summary = title
  sub(/^[^—]*— */, "", summary)
  print ".TH " toupper(name) " 1 \"\" \"" name " " version "\" \"Команды пользователя\""
  print ".SH ИМЯ"
  print name " \\- " escape(summary)
  print ".SH ОПИСАНИЕ"
  next
}

/^```/ {
  if (in_code) {
    print ".fi"
    print ".RE"
  } else {
    print ".RS 4"
    print ".nf"
  }
  in_code = !in_code
  next
}

in_code {
  text = escape($0)
  gsub(/-/, "\\-", text)  # command lines: minus signs
  print line_start(text)
  next
}

/^### / { print ".SS " heading(substr($0, 5)); paragraph = 0; in_list = 0; next }
/^## / { print ".SH " heading(substr($0, 4)); paragraph = 0; in_list = 0; next }

/^[ \t]*$/ { paragraph = 1; next }

/^- / {
  print ".IP \\(bu 3"
  print line_start(inline(substr($0, 3)))
  in_list = 1
  paragraph = 0
  next
}

/^[0-9]+\. / {
  number = $0
  sub(/\..*/, "", number)
  text = $0
  sub(/^[0-9]+\. /, "", text)
  print ".IP " number ". 4"
  print line_start(inline(text))
  in_list = 1
  paragraph = 0
  next
}

/^  / && in_list && !paragraph {
  text = $0
  sub(/^ +/, "", text)
  print line_start(inline(text))
  next
}

{
  if (paragraph) print ".PP"
  paragraph = 0
  in_list = 0
  print line_start(inline($0))
}
