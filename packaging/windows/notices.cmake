# What the notices of the Windows package name: the versions of the works it carries, as the
# Debian packages of the machine that builds it hold them, and the texts of their licences,
# copied from those packages into the folder "licenses" (QUILLMERE_LICENSE_TEXTS).
# scripts/build-qt-windows.sh and scripts/build-sqlite-windows.sh build Qt and SQLite from the
# Debian sources of the very versions asked for here.

# quill_debian_version(VAR PACKAGE): the installed version of a Debian package, or "unknown".
function(quill_debian_version var package)
    execute_process(COMMAND dpkg-query -W -f=\${Version} ${package}
        OUTPUT_VARIABLE version RESULT_VARIABLE failed ERROR_QUIET)
    if(failed OR version STREQUAL "")
        message(WARNING "The notices name no version of ${package}: it is not installed here")
        set(version unknown)
    endif()
    set(${var} ${version} PARENT_SCOPE)
endfunction()

set(QT_VERSION ${Qt6_VERSION})
quill_debian_version(QT_DEBIAN_VERSION qt6-base-dev-tools)
quill_debian_version(TRANSLATIONS_DEBIAN_VERSION qt6-translations-l10n)
quill_debian_version(SQLITE_DEBIAN_VERSION libsqlite3-dev)
quill_debian_version(GCC_DEBIAN_VERSION gcc-mingw-w64-x86-64-posix-runtime)
quill_debian_version(MINGW_DEBIAN_VERSION mingw-w64-x86-64-dev)
# The upstream versions, as the packages' versions begin with them (the compiler's own report
# of its version leaves out the minor release).
string(REGEX MATCH "^[0-9.]+" GCC_VERSION "${GCC_DEBIAN_VERSION}")
string(REGEX MATCH "^[0-9.]+" MINGW_VERSION "${MINGW_DEBIAN_VERSION}")
if(NOT GCC_VERSION)
    set(GCC_VERSION ${CMAKE_CXX_COMPILER_VERSION})
endif()
set(SQLITE_VERSION unknown)
if(EXISTS "${SQLite3_INCLUDE_DIR}/sqlite3.h")
    file(STRINGS "${SQLite3_INCLUDE_DIR}/sqlite3.h" define REGEX "^#define SQLITE_VERSION +\"")
    string(REGEX REPLACE ".*\"(.*)\".*" "\\1" SQLITE_VERSION "${define}")
endif()
if(NOT QT_DEBIAN_VERSION MATCHES "^${QT_VERSION}[+-]")
    message(WARNING "Qt ${QT_VERSION} was not built from the qt6-base ${QT_DEBIAN_VERSION} "
                    "installed here: the notices name the wrong source")
endif()

# The licence texts, under names that say whose they are.
set(QUILLMERE_LICENSE_TEXTS)
foreach(pair
        "LGPL-3.txt|/usr/share/common-licenses/LGPL-3"
        "GPL-3.txt|/usr/share/common-licenses/GPL-3"
        "qt6-base-copyright.txt|/usr/share/doc/libqt6core6/copyright"
        "qt6-translations-copyright.txt|/usr/share/doc/qt6-translations-l10n/copyright"
        "gcc-mingw-w64-copyright.txt|/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright"
        "mingw-w64-copyright.txt|/usr/share/doc/mingw-w64-x86-64-dev/copyright")
    string(REPLACE "|" ";" parts "${pair}")
    list(GET parts 0 name)
    list(GET parts 1 file)
    if(NOT EXISTS ${file})
        # A build on Windows itself: the package names the texts it cannot hold.
        message(WARNING "The package holds no ${name}: ${file} was not found "
                        "(scripts/install-deps.sh installs the packages that hold it)")
        continue()
    endif()
    configure_file(${file} ${CMAKE_CURRENT_BINARY_DIR}/licenses/${name} COPYONLY)
    list(APPEND QUILLMERE_LICENSE_TEXTS ${CMAKE_CURRENT_BINARY_DIR}/licenses/${name})
endforeach()
