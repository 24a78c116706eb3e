# Builds every source that generated_code_tests wrote, natively with mingw-w64, the way a user
# would. A generated source is built with exactly the compile line its header gives, in its
# folder (it names the source and NAME.exe), and the program must need no mingw DLL (libstdc++,
# libgcc, libwinpthread): only the system's. Every source is also checked with -Wall -Wextra
# -Werror; one without a compile line (the test's own) is built static against the platform's
# DirectShow libraries. A source whose name ends in ".listed.cpp" is built a second time, with
# its wmain renamed away and graph_lister.cpp beside it, into NAME.listed.lister.exe. Fails on
# the first source that does not build, with the compiler's words.
#   cmake -DDIR=... -DCXX=... -DOBJDUMP=... -DLISTER=.../graph_lister.cpp -P compile_generated.cmake
foreach(variable DIR CXX OBJDUMP LISTER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "compile_generated.cmake: ${variable} is not set")
  endif()
endforeach()

set(flags -municode -Wall -Wextra -Werror -static)
set(libraries -lstrmiids -lquartz -lole32 -luuid)

function(run what)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${DIR}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} does not build:\n${ARGN}\n${out}")
  endif()
endfunction()

function(build output)
  run(${output} ${CXX} ${flags} ${ARGN} -o ${output})
endfunction()

# The compile line of the source's header, its words, as a user would copy it.
function(header_line source out)
  file(STRINGS ${source} lines REGEX "^//   x86_64-w64-mingw32-g\\+\\+ " LIMIT_COUNT 1)
  string(REGEX REPLACE "^//   " "" line "${lines}")
  separate_arguments(words UNIX_COMMAND "${line}")
  set(${out} ${words} PARENT_SCOPE)
endfunction()

function(check_only_system_dlls program)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE imports)
  string(REGEX MATCHALL "DLL Name: [^\n]*" dlls "${imports}")
  if(NOT dlls OR dlls MATCHES "DLL Name: lib")
    message(FATAL_ERROR "${program} needs more than the system's DLLs: ${dlls}")
  endif()
endfunction()

file(GLOB sources ${DIR}/*.cpp)
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no generated source in ${DIR}")
endif()
foreach(source IN LISTS sources)
  string(REGEX REPLACE "\\.cpp$" "" stem ${source})
  header_line(${source} line)
  if(line)
    run(${source} ${CXX} -fsyntax-only ${flags} ${source})
    file(REMOVE ${stem}.exe)
    run(${source} ${line})
    check_only_system_dlls(${stem}.exe)
  else()
    build(${stem}.exe ${source} ${libraries})
  endif()
  if(source MATCHES "\\.listed\\.cpp$")
    build(${stem}.o -c -Dwmain=GeneratedMain ${source})
    build(${stem}.lister.exe ${stem}.o ${LISTER} ${libraries})
  endif()
  message(STATUS "built ${stem}.exe")
endforeach()
message(STATUS "${count} generated sources built")
