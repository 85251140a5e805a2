# Run at install time: copies the DLLs that the program and its plugins import, following their
# imports in turn, from dll_dirs into the installed folder, and strips what is shipped. Windows
# matches DLL names without regard to case. An import found in none of dll_dirs must be one of
# Windows' own that every Windows 10 has, named below: Wine has many more DLLs than Windows, and
# one missing from the package would pass every test here.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(windows_dlls advapi32 authz comdlg32 d3d9 d3d11 dwmapi dwrite dxgi gdi32 imm32 kernel32 mpr
    msvcrt netapi32 ole32 oleaut32 setupapi shcore shell32 shlwapi ucrtbase user32 userenv
    uxtheme version winmm ws2_32 wtsapi32)
list(TRANSFORM windows_dlls APPEND ".dll")
foreach(dir IN LISTS dll_dirs)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" name)
        if(NOT DEFINED "known_${name}")
            set("known_${name}" "${dll}")
        endif()
    endforeach()
endforeach()
set(queue "${root}/quadrimo.exe" "${root}/platforms/qwindows.dll"
    "${root}/styles/qwindowsvistastyle.dll")
set(shipped)
set(system)
set(unknown)
while(queue)
    list(POP_FRONT queue binary)
    execute_process(COMMAND "${objdump}" -p "${binary}" OUTPUT_VARIABLE dump
        COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    foreach(import IN LISTS imports)
        string(REGEX REPLACE "^DLL Name: *" "" import "${import}")
        string(STRIP "${import}" import)
        string(TOLOWER "${import}" name)
        list(FIND shipped "${name}" seen)
        if(NOT DEFINED "known_${name}")
            list(APPEND system "${name}")
            list(FIND windows_dlls "${name}" windows)
            if(NOT name MATCHES "^api-ms-win-" AND windows EQUAL -1)
                get_filename_component(importer "${binary}" NAME)
                list(APPEND unknown "${name} (imported by ${importer})")
            endif()
        elseif(seen EQUAL -1)
            list(APPEND shipped "${name}")
            file(COPY "${known_${name}}" DESTINATION "${root}")
            get_filename_component(file "${known_${name}}" NAME)
            list(APPEND queue "${root}/${file}")
        endif()
    endforeach()
endwhile()
if(unknown)
    list(REMOVE_DUPLICATES unknown)
    list(JOIN unknown ", " unknown)
    message(FATAL_ERROR "Neither shipped nor among Windows' own DLLs: ${unknown}")
endif()

# The program's manifest: asInvoker, Windows 10 and later, nothing on DPI (Qt sets it) or on the
# code page (the program goes by the system's ANSI code page).
execute_process(COMMAND "${windres}" -J coff -O rc -i "${root}/quadrimo.exe"
    OUTPUT_VARIABLE resources ERROR_QUIET)
string(REGEX MATCH "\n1 24 [^\n]*\nBEGIN\n[^\n]*\n([ ]+\"[^\n]*\n)*END" manifest "${resources}")
foreach(wanted "level=\"\"asInvoker\"\""
        "supportedOS Id=\"\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"\"")
    string(FIND "${manifest}" "${wanted}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "quadrimo.exe's manifest lacks ${wanted}:\n${manifest}")
    endif()
endforeach()
if(manifest MATCHES "dpiAware|activeCodePage")
    message(FATAL_ERROR "quadrimo.exe's manifest says ${CMAKE_MATCH_0}:\n${manifest}")
endif()

file(GLOB_RECURSE binaries "${root}/*.exe" "${root}/*.dll")
foreach(binary IN LISTS binaries)
    execute_process(COMMAND "${strip}" --strip-unneeded "${binary}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
list(REMOVE_DUPLICATES system)
message(STATUS "Shipped ${shipped}; left to the system: ${system}")
