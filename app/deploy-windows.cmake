# Run at install time: copies the DLLs that the program and its plugins import, following their
# imports in turn, from dll_dirs into the installed folder, and strips what is shipped.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${objdump}")
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${root}/quadrimo.exe"
    MODULES "${root}/platforms/qwindows.dll" "${root}/styles/qwindowsvistastyle.dll"
    DIRECTORIES ${dll_dirs}
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR system)
foreach(dll IN LISTS found)
    file(COPY "${dll}" DESTINATION "${root}")
endforeach()
file(GLOB_RECURSE shipped "${root}/*.exe" "${root}/*.dll")
foreach(binary IN LISTS shipped)
    execute_process(COMMAND "${strip}" --strip-unneeded "${binary}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
list(LENGTH found count)
message(STATUS "Shipped ${count} DLLs; left to the system: ${system}")
