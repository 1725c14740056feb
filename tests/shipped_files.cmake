cmake_minimum_required(VERSION 3.22)
# Installs the program and its tools into WORK and checks that every file there is named in
# LIST (the build's list of shipped names, which the name check refuses as a server folder).
# usage: cmake -DBUILD=dir -DLIST=file -DWORK=dir -P shipped_files.cmake
file(REMOVE_RECURSE "${WORK}")
foreach(component program tools)
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${WORK}"
                          --component ${component}
                  OUTPUT_QUIET RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "install of ${component} failed")
  endif()
endforeach()
file(STRINGS "${LIST}" shipped)
file(GLOB installed RELATIVE "${WORK}" "${WORK}/*")
if(NOT installed)
  message(FATAL_ERROR "nothing was installed")
endif()
foreach(name IN LISTS installed)
  if(NOT name IN_LIST shipped)
    message(SEND_ERROR "installed but not in the list of shipped names: ${name}")
  endif()
endforeach()
list(LENGTH installed count)
message(STATUS "${count} installed files, each in the list")
