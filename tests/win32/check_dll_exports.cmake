# Checks a DLL's export and import tables with the mingw objdump:
#   cmake -DOBJDUMP=... -DDLL=... [-DEXACT_EXPORTS=a,b] [-DREQUIRED_EXPORTS=a,b]
#         [-DSAME_ADDRESS=a,b] -P check_dll_exports.cmake
# Every export name must be undecorated (no leading underscore, no lone @n name), no mingw
# runtime DLL may be imported (the runtime is linked statically), EXACT_EXPORTS is the
# whole export list, REQUIRED_EXPORTS part of it, and the SAME_ADDRESS pair one function.
cmake_minimum_required(VERSION 3.25)
foreach(list_argument EXACT_EXPORTS REQUIRED_EXPORTS SAME_ADDRESS)
  string(REPLACE "," ";" ${list_argument} "${${list_argument}}")
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" name_table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" name_entries "${name_table}")
set(exports "")
foreach(entry ${name_entries})
  string(REGEX REPLACE "\\[ *([0-9]+)\\] (.+)" "\\1" ordinal "${entry}")
  string(REGEX REPLACE "\\[ *([0-9]+)\\] (.+)" "\\2" name "${entry}")
  list(APPEND exports "${name}")
  set(ordinal_of_${name} ${ordinal})
endforeach()

string(REGEX MATCH "Export Address Table -- Ordinal Base [0-9]+\n([^\n]+\n)+" address_table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] \\+base\\[ *[0-9]+\\] +[0-9a-f]+" address_entries "${address_table}")
foreach(entry ${address_entries})
  string(REGEX REPLACE "\\[ *([0-9]+)\\].* ([0-9a-f]+)$" "\\1" index "${entry}")
  string(REGEX REPLACE "\\[ *([0-9]+)\\].* ([0-9a-f]+)$" "\\2" address "${entry}")
  set(address_of_${index} ${address})
endforeach()

set(failures "")
# On x86 a stdcall export "Name@n" may stand beside its plain name "Name".
foreach(name ${exports})
  string(REGEX REPLACE "@[0-9]+$" "" plain "${name}")
  if(name MATCHES "^_" OR (NOT plain STREQUAL name AND NOT plain IN_LIST exports))
    list(APPEND failures "decorated export ${name}")
  endif()
endforeach()

if(EXACT_EXPORTS)
  set(expected ${EXACT_EXPORTS})
  list(SORT expected)
  set(actual ${exports})
  list(SORT actual)
  if(NOT expected STREQUAL actual)
    list(APPEND failures "exports are [${actual}], expected [${expected}]")
  endif()
endif()

foreach(name ${REQUIRED_EXPORTS})
  if(NOT name IN_LIST exports)
    list(APPEND failures "missing export ${name}")
  endif()
endforeach()

if(SAME_ADDRESS)
  list(GET SAME_ADDRESS 0 first)
  list(GET SAME_ADDRESS 1 second)
  set(first_address "${address_of_${ordinal_of_${first}}}")
  set(second_address "${address_of_${ordinal_of_${second}}}")
  if(first_address STREQUAL "" OR NOT first_address STREQUAL second_address)
    list(APPEND failures "${first} at '${first_address}', ${second} at '${second_address}'")
  endif()
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(import ${imports})
  string(REPLACE "DLL Name: " "" dll_name "${import}")
  if(dll_name MATCHES "^lib")
    list(APPEND failures "imports the runtime DLL ${dll_name}")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
list(LENGTH exports count)
message(STATUS "${DLL}: ${count} undecorated exports, imports: ${imports}")
