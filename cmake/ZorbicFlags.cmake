# zorbic_flags carries the warning and sanitizer settings; every target of ours links it.
add_library(zorbic_flags INTERFACE)
target_compile_options(zorbic_flags INTERFACE -Wall -Wextra -Wpedantic
                       $<$<BOOL:${ZORBIC_WERROR}>:-Werror>)
if(ZORBIC_SANITIZE)
    target_compile_options(zorbic_flags INTERFACE -fsanitize=address,undefined
                           -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(zorbic_flags INTERFACE -fsanitize=address,undefined)
endif()
if(ZORBIC_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "ZORBIC_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++)")
    endif()
    # Instrument all our code for coverage; the fuzz executables add the libFuzzer main.
    target_compile_options(zorbic_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                           -fno-omit-frame-pointer)
    target_link_options(zorbic_flags INTERFACE -fsanitize=address,undefined)
endif()
# The hardening Debian builds its packages with: fortified libc calls (they need the optimizer)
# and a read-only GOT (relro, bindnow). Not under the sanitizers, which replace those calls.
if(NOT ZORBIC_SANITIZE AND NOT ZORBIC_FUZZ)
    target_compile_options(zorbic_flags INTERFACE
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
    target_link_options(zorbic_flags INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
