# How every shipped image is built: Windows 95 subsystem 4.0, small, texts in
# cp932, no C++ runtime, and no C runtime DLL either (the first Windows 95
# release has none): our own entry point, the system DLLs and libgcc only.
#
#   add_shipped_program(target NAME NRXVGCHG SOURCES ... [LIBRARIES ...] [DIRECTORY dir])
#   add_shipped_library(target NAME NRXCHG32 SOURCES ... [LIBRARIES ...] [DIRECTORY dir])
#
# Images go to bin/ and are listed in the global property SHIPPED_IMAGES for
# the image check; DIRECTORY puts a test bed's image elsewhere, unlisted.

set(PROGRAM_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -fexec-charset=CP932 -Wall -Wextra)
set(SHIPPED_SYSTEM_LIBRARIES kernel32 user32 gdi32 advapi32 shell32 comctl32)
# The entry points' linker symbols: i686 decorates WINAPI names, x86_64 does not.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(PROGRAM_ENTRY_SYMBOL ProgramEntry)
    set(LIBRARY_ENTRY_SYMBOL LibraryEntry)
else()
    set(PROGRAM_ENTRY_SYMBOL _ProgramEntry@0)
    set(LIBRARY_ENTRY_SYMBOL _LibraryEntry@12)
endif()

function(_shipped_image target name suffix entry directory libraries)
    target_compile_options(${target} PRIVATE ${PROGRAM_COMPILE_OPTIONS})
    target_link_options(${target} PRIVATE -nostdlib -nostartfiles -Wl,-e,${entry} -s
        -Wl,--subsystem,windows:4.0)
    target_link_libraries(${target} PRIVATE ${libraries} ${SHIPPED_SYSTEM_LIBRARIES} gcc)
    if(NOT directory)
        # What ships goes to bin/, and the image check looks at every one.
        set(directory ${CMAKE_BINARY_DIR}/bin)
        set_property(GLOBAL APPEND PROPERTY SHIPPED_IMAGES ${directory}/${name}${suffix})
    endif()
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name} SUFFIX ${suffix}
        RUNTIME_OUTPUT_DIRECTORY ${directory}
        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib/${target})
endfunction()

function(add_shipped_program target)
    cmake_parse_arguments(ARG "" "NAME;DIRECTORY" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${target} WIN32 ${ARG_SOURCES} $<TARGET_OBJECTS:program_runtime>)
    _shipped_image(${target} ${ARG_NAME} .EXE ${PROGRAM_ENTRY_SYMBOL} "${ARG_DIRECTORY}" "${ARG_LIBRARIES}")
endfunction()

function(add_shipped_library target)
    cmake_parse_arguments(ARG "" "NAME;DIRECTORY" "SOURCES;LIBRARIES" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES} $<TARGET_OBJECTS:library_runtime>)
    _shipped_image(${target} ${ARG_NAME} .DLL ${LIBRARY_ENTRY_SYMBOL} "${ARG_DIRECTORY}" "${ARG_LIBRARIES}")
endfunction()
