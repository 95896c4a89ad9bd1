# The dependencies that tools/setup cross-builds into TIVALA_DEPS, as targets.

find_package(CURL CONFIG REQUIRED)
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
