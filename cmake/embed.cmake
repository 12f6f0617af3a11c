# The splash frames (assets/splash/frame01.png ... frame28.png) become built-in
# byte blocks in the skin library: a generated source with one constant per
# frame, made again whenever a frame or the generator changes.
file(GLOB splash_frame_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/splash/frame*.png)
list(SORT splash_frame_files)
set(splash_frames_source ${CMAKE_BINARY_DIR}/generated/splash_frames_data.cpp)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${splash_frames_source}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/embed-bytes.py
          ${splash_frames_source} splashFrameData ${splash_frame_files}
  DEPENDS ${splash_frame_files} ${CMAKE_SOURCE_DIR}/tools/embed-bytes.py
  COMMENT "Embedding the splash frames"
  VERBATIM)
target_sources(wrivo_skin PRIVATE ${splash_frames_source})
