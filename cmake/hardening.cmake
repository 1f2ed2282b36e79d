# Hardening of the Windows binaries (MinGW): every object of the tree is
# built with GCC's stack protector and links our own guard (startup/); what
# ships is, in addition, made by brenk_harden. scripts/check-hardening.py
# checks the result on the shipped binaries and on those in the archive.

add_compile_options(-fstack-protector-strong)
add_subdirectory(${PROJECT_SOURCE_DIR}/startup ${PROJECT_BINARY_DIR}/startup)
# Every target made from here on, so also test programs and libraries that
# link protected objects: no libssp (the protector's options reach only the
# compiler, never the link line that would add -lssp).
link_libraries(brenk_stack_guard)

# The entry symbols as the linker spells them (stdcall decoration and the
# leading underscore on 32-bit).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(brenk_dll_entry_symbol _BrenkDllEntry@12)
    set(brenk_console_entry_symbol _BrenkConsoleEntry)
    set(brenk_windows_entry_symbol _BrenkWindowsEntry)
else()
    set(brenk_dll_entry_symbol BrenkDllEntry)
    set(brenk_console_entry_symbol BrenkConsoleEntry)
    set(brenk_windows_entry_symbol BrenkWindowsEntry)
endif()

# A shipped binary (or a test program built the same way): its entry point
# seeds the stack guard before the C runtime starts, and on 32-bit its PE
# header says that no code of it registers a structured exception handler
# (NO_SEH; checked in the disassembly by check-hardening.py), which Windows
# then refuses to dispatch to. On x86-64, exceptions unwind through tables
# and the flag has no such meaning.
function(brenk_harden target)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL SHARED_LIBRARY)
        target_link_libraries(${target} PRIVATE brenk_dll_entry)
        set(entry ${brenk_dll_entry_symbol})
    else()
        target_link_libraries(${target} PRIVATE brenk_program_entry)
        get_target_property(windowed ${target} WIN32_EXECUTABLE)
        if(windowed)
            set(entry ${brenk_windows_entry_symbol})
        else()
            set(entry ${brenk_console_entry_symbol})
        endif()
    endif()
    target_link_options(${target} PRIVATE -Wl,--entry=${entry})
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        target_link_options(${target} PRIVATE -Wl,--no-seh)
    endif()
endfunction()
