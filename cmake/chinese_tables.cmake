# The Simplified/Traditional tables become a generated source of the writing
# room, made from OpenCC's dictionaries (Debian's libopencc1.1, read with the
# opencc package's opencc_dict) whenever the generator changes.
set(chinese_tables_source ${CMAKE_BINARY_DIR}/generated/chinese_tables_data.cpp)
add_custom_command(
  OUTPUT ${chinese_tables_source}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make-chinese-tables.py ${chinese_tables_source}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make-chinese-tables.py /usr/share/opencc/STPhrases.ocd2
  COMMENT "Generating the Simplified/Traditional tables"
  VERBATIM)
target_sources(wrivo_services_writing PRIVATE ${chinese_tables_source})

# The unit tests compare the conversion with the opencc command's on real
# lines (Debian's fortunes-zh); the samples are made here, with the command.
set(chinese_samples ${CMAKE_BINARY_DIR}/generated/chinese_samples.txt)
add_custom_command(
  OUTPUT ${chinese_samples}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make-chinese-samples.py ${chinese_samples}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make-chinese-samples.py
  COMMENT "Converting sample lines with the opencc command"
  VERBATIM)
add_custom_target(chinese_samples DEPENDS ${chinese_samples})
add_dependencies(core_tests chinese_samples)
target_compile_definitions(core_tests PRIVATE WRIVO_CHINESE_SAMPLES="${chinese_samples}")
