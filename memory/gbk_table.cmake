# kalvox_gbk_table: GBK by table (system_gbk_table.cpp), for a C library whose iconv
# has no GBK (emscripten). The table is the recorded one the GBK tests hold every
# converter to, two bytes per code point; it becomes a C++ array at configure time.
set(gbk_table_bin ${PROJECT_SOURCE_DIR}/tests/memory/data/gbk_table.bin)
set(gbk_table_cpp ${PROJECT_BINARY_DIR}/generated/gbk_codes.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${gbk_table_bin})
if(${gbk_table_bin} IS_NEWER_THAN ${gbk_table_cpp})
    file(READ ${gbk_table_bin} gbk_hex HEX)
    string(LENGTH "${gbk_hex}" gbk_hex_length)
    if(NOT gbk_hex_length EQUAL 262144)
        message(FATAL_ERROR "${gbk_table_bin} is not the table of 65536 codes")
    endif()
    # Sixteen codes a line.
    string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f])" "0x\\1," gbk_codes "${gbk_hex}")
    string(REGEX REPLACE "((0x....,){16})" "\\1\n" gbk_codes "${gbk_codes}")
    file(WRITE ${gbk_table_cpp}
         "// Generated from tests/memory/data/gbk_table.bin by memory/gbk_table.cmake.\n"
         "#include <cstdint>\n"
         "namespace kalvox {\n"
         "extern const std::uint16_t kGbkCodes[0x10000];\n"
         "const std::uint16_t kGbkCodes[0x10000] = {\n${gbk_codes}};\n"
         "}  // namespace kalvox\n")
endif()
add_library(kalvox_gbk_table STATIC ${CMAKE_CURRENT_LIST_DIR}/system_gbk_table.cpp
                                    ${gbk_table_cpp})
target_include_directories(kalvox_gbk_table PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(kalvox_gbk_table PUBLIC cxx_std_20)
