# Builds every generated source that generated_code_tests wrote, natively with mingw-w64, the
# way a user would: -Wall -Wextra -Werror, static, against the platform's DirectShow libraries.
# A source whose name ends in ".listed.cpp" is built a second time, with its wmain renamed away
# and graph_lister.cpp beside it, into NAME.listed.lister.exe. Fails on the first source that does not
# build, with the compiler's words.
#   cmake -DDIR=... -DCXX=... -DLISTER=.../graph_lister.cpp -P compile_generated.cmake
foreach(variable DIR CXX LISTER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "compile_generated.cmake: ${variable} is not set")
  endif()
endforeach()

set(flags -municode -Wall -Wextra -Werror -static)
set(libraries -lstrmiids -lquartz -lole32 -luuid)

function(build output)
  execute_process(COMMAND ${CXX} ${flags} ${ARGN} -o ${output}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${output} does not build:\n${out}")
  endif()
endfunction()

file(GLOB sources ${DIR}/*.cpp)
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no generated source in ${DIR}")
endif()
foreach(source IN LISTS sources)
  string(REGEX REPLACE "\\.cpp$" "" stem ${source})
  build(${stem}.exe ${source} ${libraries})
  if(source MATCHES "\\.listed\\.cpp$")
    build(${stem}.o -c -Dwmain=GeneratedMain ${source})
    build(${stem}.lister.exe ${stem}.o ${LISTER} ${libraries})
  endif()
  message(STATUS "built ${stem}.exe")
endforeach()
message(STATUS "${count} generated sources built")
