# The translation check must catch what it is there for: a small tree with
# texts of the window and of a Qt-free layer, and a translation file that is
# complete, then wrong in one way at a time.
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/common/Texts.h
  "#define VQ_TEXT_CONTEXT(name)\nclass TText {\n    VQ_TEXT_CONTEXT(TText)\npublic:\n"
  "    static const char* tr(const char* japanese);\n"
  "    static constexpr const char* Noop(const char* japanese) { return japanese; }\n};\n")
file(WRITE ${WORK}/src/common/Uses.cpp
  "#include \"common/Texts.h\"\nconst char* const kFixed = TText::Noop(\"定数\");\n"
  "const char* Said() { return TText::tr(\"%1 は存在しません。\"); }\n"
  "const char* Line() { return TText::tr(\"%lld行目の形式が不正です。%s\"); }\n")
file(WRITE ${WORK}/src/ui/Window.cpp
  "class TWindow : public QWidget {\n    Q_OBJECT\n    void Build() { setWindowTitle(tr(\"開く\")); }\n};\n")
# Tests and benchmarks are not the program: their texts are not asked for.
file(WRITE ${WORK}/src/tests/ui/WindowTest.cpp
  "class TProbe : public QWidget {\n    Q_OBJECT\n    void f() { tr(\"試験だけ\"); }\n};\n")

set(complete
  "TText|定数|Fixed"
  "TText|%lld行目の形式が不正です。%s|Line %lld is malformed. %s"
  "TText|%1 は存在しません。|%1 does not exist."
  "TWindow|開く|Open")
function(ts_file name)
  set(body "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"en\" sourcelanguage=\"ja\">\n")
  foreach(entry IN LISTS ARGN)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 context)
    list(GET parts 1 source)
    list(GET parts 2 translation)
    if(translation STREQUAL "?")
      set(t "<translation type=\"unfinished\"></translation>")
    else()
      set(t "<translation>${translation}</translation>")
    endif()
    string(APPEND body "<context><name>${context}</name><message><source>${source}</source>${t}</message></context>\n")
  endforeach()
  file(WRITE ${WORK}/${name}.ts "${body}</TS>\n")
endfunction()

function(check name expected)
  file(READ ${WORK}/${name}.ts before)
  execute_process(COMMAND ${PYTHON} ${SCRIPT} check ${LUPDATE} ${WORK}/src ${WORK}/${name}.ts
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(READ ${WORK}/${name}.ts after)
  if(NOT before STREQUAL after)
    message(FATAL_ERROR "${name}: the check changed the translation file")
  endif()
  if(expected STREQUAL "")
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${name}: a complete translation was refused:\n${out}${err}")
    endif()
    return()
  endif()
  string(FIND "${out}" "${expected}" at)
  if(rc EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "${name}: expected a failure naming '${expected}', got ${rc}:\n${out}${err}")
  endif()
endfunction()

ts_file(complete ${complete})
check(complete "")

set(cases
  "missing|not in the translation file: [TText] 定数|TText|%1 は存在しません。|%1 does not exist.|TWindow|開く|Open"
  "unfinished|not translated: [TWindow] 開く|TText|定数|Fixed|TText|%1 は存在しません。|%1 does not exist.|TWindow|開く|?"
  "stale|no longer in the code: [TWindow] 閉じる|TWindow|閉じる|Close"
  "lost_argument|translation lacks %1: [TText] %1 は存在しません。|TText|定数|Fixed|TText|%1 は存在しません。|It does not exist.|TWindow|開く|Open"
  "swapped_format|differs in its printf conversions: [TText] %lld行目の形式が不正です。%s|TText|%lld行目の形式が不正です。%s|%s: line %lld is malformed")
# Every case but the stale one lists its own entries; these are the ones it
# does not vary.
set(others "TText|%lld行目の形式が不正です。%s|Line %lld is malformed. %s")
foreach(c IN LISTS cases)
  string(REPLACE "|" ";" fields "${c}")
  list(POP_FRONT fields name expected)
  set(entries)
  while(fields)
    list(POP_FRONT fields context source translation)
    list(APPEND entries "${context}|${source}|${translation}")
  endwhile()
  if(name STREQUAL "stale")
    set(entries ${complete} ${entries})
  elseif(NOT name STREQUAL "swapped_format")
    list(APPEND entries ${others})
  else()
    list(APPEND entries "TText|定数|Fixed" "TText|%1 は存在しません。|%1 does not exist." "TWindow|開く|Open")
  endif()
  ts_file(${name} ${entries})
  check(${name} "${expected}")
endforeach()
