# Fails when the shared library exports anything beyond the classes Command and
# CommandCtrl (their members, meta-objects, type information and virtual
# tables) and the few symbols the toolchain itself adds.
execute_process(COMMAND nm -D --defined-only -C ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${symbols}")
set(bad "")
set(count 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(REGEX REPLACE "^[0-9a-fA-F]* *([A-Za-z]) .*" "\\1" kind "${line}")
  string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] " "" name "${line}")
  if(name MATCHES "^(Command|CommandCtrl)::"
     OR name MATCHES "^(typeinfo|typeinfo name|vtable) for (Command|CommandCtrl)$")
    math(EXPR count "${count} + 1")
  elseif(name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$"
         OR name MATCHES "^__(asan|ubsan|odr_asan|sanitizer)")
    # added by the toolchain and the sanitizer runtime
  elseif(kind STREQUAL "V" AND name MATCHES "^typeinfo (name )?for Q[A-Za-z]+$")
    # weak copies of the framework's own type information, which the
    # sanitizer's dynamic type checks make the compiler emit
  else()
    list(APPEND bad "${name}")
  endif()
endforeach()
if(bad)
  string(REPLACE ";" "\n  " pretty "${bad}")
  message(FATAL_ERROR "unexpected exported symbols:\n  ${pretty}")
endif()
foreach(required "CommandCtrl::start()" "Command::staticMetaObject" "vtable for CommandCtrl"
        "CommandCtrl::stoped()")
  string(FIND "${symbols}" "${required}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "missing exported symbol: ${required}")
  endif()
endforeach()
message(STATUS "libcmdsched exports ${count} symbols of Command and CommandCtrl only")
