# The DLLs that programs built with MinGW need beside them on Windows.
#
# QUILLMERE_RUNTIME_DLLS: the compiler's runtime, which every program and test of the build uses
# (under Wine the tests find it through WINEPATH).
#
# For a Qt that comes without windeployqt (the Qt that scripts/build-qt-windows.sh cross-builds),
# also what Quillmere.exe needs beside it: the Qt libraries (QUILLMERE_QT_DLLS) and the platform,
# style and image-format plugins in their folders (QUILLMERE_QT_PLUGINS, pairs
# "folder|file"), and Qt's Japanese translations in "translations" (QUILLMERE_QT_DATA, pairs
# too; from the machine's Debian package qt6-translations-l10n, as the .qm files are the same on
# every system). quill_copy_windows_runtime() copies them into the program's build folder, so
# that the program runs from there as from an unpacked package, and
# quill_install_windows_runtime() puts the same files into the package.

# The compiler knows where its own runtime DLLs are.
set(QUILLMERE_RUNTIME_DLLS)
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "The compiler's runtime library ${dll} was not found")
    endif()
    list(APPEND QUILLMERE_RUNTIME_DLLS ${found})
endforeach()

if(NOT QUILLMERE_GUI OR TARGET Qt6::windeployqt)
    return()
endif()

set(QUILLMERE_QT_DLLS
    $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)

set(QUILLMERE_QT_PLUGINS "platforms|$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>")
if(TARGET Qt6::QWindowsVistaStylePlugin)
    list(APPEND QUILLMERE_QT_PLUGINS "styles|$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>")
endif()
if(TARGET Qt6::QJpegPlugin)
    list(APPEND QUILLMERE_QT_PLUGINS "imageformats|$<TARGET_FILE:Qt6::QJpegPlugin>")
endif()

find_file(QUILLMERE_QT_JAPANESE qtbase_ja.qm PATHS /usr/share/qt6/translations
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
set(QUILLMERE_QT_DATA)
if(QUILLMERE_QT_JAPANESE)
    set(QUILLMERE_QT_DATA "translations|${QUILLMERE_QT_JAPANESE}")
else()
    message(WARNING "Qt's Japanese translations (qtbase_ja.qm of qt6-translations-l10n) were "
                    "not found: Qt's own dialogs will speak English")
endif()

# quill_copy_windows_runtime(TARGET FOLDER): copies the files into FOLDER after TARGET is built.
# quill_copy_qt_translations(TARGET FOLDER): only the translations (for a test program).
function(quill_copy_windows_runtime target folder)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUILLMERE_RUNTIME_DLLS} ${QUILLMERE_QT_DLLS}
                ${folder}
        VERBATIM)
    quill_copy_in_folders(${target} ${folder} ${QUILLMERE_QT_PLUGINS} ${QUILLMERE_QT_DATA})
endfunction()
function(quill_copy_qt_translations target folder)
    quill_copy_in_folders(${target} ${folder} ${QUILLMERE_QT_DATA})
endfunction()
function(quill_copy_in_folders target folder)
    foreach(plugin ${ARGN})
        string(REPLACE "|" ";" parts "${plugin}")
        list(GET parts 0 subfolder)
        list(GET parts 1 file)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${subfolder}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${folder}/${subfolder}
            VERBATIM)
    endforeach()
endfunction()

# quill_install_windows_runtime(DESTINATION): the same files in the package. A stripped install
# (cpack, or cmake --install --strip) takes their symbols off too, as it does the program's.
function(quill_install_windows_runtime destination)
    set(pairs)
    foreach(dll ${QUILLMERE_RUNTIME_DLLS} ${QUILLMERE_QT_DLLS})
        list(APPEND pairs "${destination}|${dll}")
    endforeach()
    foreach(plugin ${QUILLMERE_QT_PLUGINS} ${QUILLMERE_QT_DATA})
        list(APPEND pairs "${destination}/${plugin}")
    endforeach()
    foreach(pair ${pairs})
        string(REPLACE "|" ";" parts "${pair}")
        list(GET parts 0 folder)
        list(GET parts 1 file)
        install(FILES ${file} DESTINATION ${folder})
        if(CMAKE_STRIP AND NOT file MATCHES "[.]qm$")
            install(CODE "if(CMAKE_INSTALL_DO_STRIP)
                get_filename_component(name \"${file}\" NAME)
                execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}/\${name}\"
                    COMMAND_ERROR_IS_FATAL ANY)
            endif()")
        endif()
    endforeach()
endfunction()
