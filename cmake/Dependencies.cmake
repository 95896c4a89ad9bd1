# The dependencies that tools/setup cross-builds into TIVALA_DEPS, as targets.

find_package(CURL CONFIG REQUIRED)

# libcurl calls crypt32 only for HTTPS (its Schannel back end), and the engine
# speaks plain HTTP. Wine's crypt32 brings GnuTLS with it, a good part of a second
# of every start under emulation, so the programs import it delay-loaded: the DLL
# is loaded at its first call, which plain HTTP never makes.
#
# tivala_delay_import(DLL ARCHIVE LIB OPTIONS) makes a delay-load import library
# of the functions of DLL that ARCHIVE calls and sets LIB to it and OPTIONS to the
# link options it needs. ld drops an import's jump stub unless something names it,
# and a delayed import's first call goes through that stub, so each is named (-u).
function(tivala_delay_import dll archive lib_var options_var)
    find_program(TIVALA_NM ${TIVALA_TRIPLE}-nm REQUIRED)
    find_program(TIVALA_DLLTOOL ${TIVALA_TRIPLE}-dlltool REQUIRED)
    set(import /usr/${TIVALA_TRIPLE}/lib/lib${dll}.a)
    execute_process(COMMAND ${TIVALA_NM} ${import} OUTPUT_VARIABLE exported COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${TIVALA_NM} -u ${archive} OUTPUT_VARIABLE called COMMAND_ERROR_IS_FATAL ANY)
    # stdcall names as the import library has them: "_CertOpenStore@20".
    string(REGEX MATCHALL " T _[A-Za-z0-9_]+@[0-9]+" exported "${exported}")
    list(TRANSFORM exported REPLACE "^ T " "")
    string(REGEX MATCHALL "__imp__[A-Za-z0-9_]+@[0-9]+" called "${called}")
    list(TRANSFORM called REPLACE "^__imp_" "")
    list(REMOVE_DUPLICATES called)
    set(functions)
    foreach(function IN LISTS called)
        if(function IN_LIST exported)
            list(APPEND functions ${function})
        endif()
    endforeach()
    if(NOT functions)
        message(FATAL_ERROR "${archive} calls nothing of ${dll}")
    endif()
    set(def ${CMAKE_BINARY_DIR}/delay/${dll}.def)
    set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
    set(names ${functions})
    list(TRANSFORM names REPLACE "^_" "")
    list(JOIN names "\n" names)
    file(WRITE ${def}.new "LIBRARY ${dll}.dll\nEXPORTS\n${names}\n")
    file(COPY_FILE ${def}.new ${def} ONLY_IF_DIFFERENT)
    if(NOT EXISTS ${lib} OR ${def} IS_NEWER_THAN ${lib})
        # -k: the DLL's own names have no "@20".
        execute_process(COMMAND ${TIVALA_DLLTOOL} -k -d ${def} -y ${lib} COMMAND_ERROR_IS_FATAL ANY)
    endif()
    list(TRANSFORM functions PREPEND "-Wl,-u,")
    set(${lib_var} ${lib} PARENT_SCOPE)
    set(${options_var} ${functions} PARENT_SCOPE)
endfunction()
tivala_delay_import(crypt32 ${TIVALA_DEPS}/lib/libcurl.a crypt32_delay crypt32_options)
get_target_property(curl_links CURL::libcurl INTERFACE_LINK_LIBRARIES)
list(TRANSFORM curl_links REPLACE "^\\$<LINK_ONLY:crypt32>$" "$<LINK_ONLY:${crypt32_delay}>;$<LINK_ONLY:delayimp>")
if(NOT curl_links MATCHES "crypt32_delay")
    message(FATAL_ERROR "libcurl no longer names crypt32 as expected: ${curl_links}")
endif()
set_target_properties(CURL::libcurl PROPERTIES
    INTERFACE_LINK_LIBRARIES "${curl_links}"
    INTERFACE_LINK_OPTIONS "${crypt32_options}")
find_package(jsoncpp CONFIG REQUIRED)
find_package(pugixml CONFIG REQUIRED)
find_package(GTest CONFIG REQUIRED)

add_library(tivala_png STATIC IMPORTED)
set_target_properties(tivala_png PROPERTIES
    IMPORTED_LOCATION ${TIVALA_DEPS}/lib/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${TIVALA_DEPS}/include
    # Named as a file: the bare name would find zlib's import library and make
    # the program need zlib1.dll.
    INTERFACE_LINK_LIBRARIES /usr/i686-w64-mingw32/lib/libz.a)
add_library(Tivala::png ALIAS tivala_png)

# 7-Zip's formats and codecs register themselves from static constructors, so the
# archive is linked whole.
add_library(tivala_7zip STATIC IMPORTED)
set_target_properties(tivala_7zip PROPERTIES
    IMPORTED_LOCATION ${TIVALA_DEPS}/lib/lib7zip.a
    INTERFACE_INCLUDE_DIRECTORIES ${TIVALA_DEPS}/include/7zip
    INTERFACE_LINK_LIBRARIES "oleaut32;ole32;uuid;advapi32;user32")
add_library(Tivala::7zip INTERFACE IMPORTED)
set_target_properties(Tivala::7zip PROPERTIES
    INTERFACE_LINK_LIBRARIES "$<LINK_LIBRARY:WHOLE_ARCHIVE,tivala_7zip>")

# Only the stb folder, never the host's /usr/include.
add_library(Tivala::stb INTERFACE IMPORTED)
set_target_properties(Tivala::stb PROPERTIES INTERFACE_INCLUDE_DIRECTORIES /usr/include/stb)
