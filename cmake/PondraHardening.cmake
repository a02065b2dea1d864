# The hardening a Debian package is expected to have (as dpkg-buildflags would give it) for the
# optimised builds that are shipped. _FORTIFY_SOURCE needs optimisation and gets in the way of the
# sanitizers, so Debug, sanitizer and fuzz builds are left as they are. Some compilers define
# _FORTIFY_SOURCE themselves: undefining it first keeps -Werror from failing on the redefinition.
#
# On Windows the executables are PE files: address-space randomisation and no-execute data instead,
# and the compiler's own runtime linked in, so the program needs no DLL beside it.
if(WIN32)
    add_link_options(-static LINKER:--dynamicbase LINKER:--nxcompat LINKER:--high-entropy-va)
elseif(NOT PONDRA_SANITIZE AND NOT PONDRA_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
    add_link_options("$<${optimised}:LINKER:-z,relro;LINKER:-z,now>")
    unset(optimised)
endif()
