# Game content made at build time rather than kept in the repository: the
# TrueType fonts come from Debian's font packages (see VANTOR_PACKAGES), the
# console background is drawn by ImageMagick, the sounds are synthesised,
# the title clip is drawn by ImageMagick and encoded by the ffmpeg tool.
set(VANTOR_FONT_FILES
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/ebgaramond/EBGaramond12-Regular.ttf
  /usr/share/fonts/truetype/ebgaramond/EBGaramond12-Bold.ttf)
set(VANTOR_DATA ${CMAKE_SOURCE_DIR}/data)

set(content_outputs)
foreach(font ${VANTOR_FONT_FILES})
  if(NOT EXISTS ${font})
    message(FATAL_ERROR "Font ${font} is missing: install the font packages of tools/setup.sh")
  endif()
  get_filename_component(font_name ${font} NAME)
  add_custom_command(OUTPUT ${VANTOR_DATA}/fonts/${font_name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTOR_DATA}/fonts
    COMMAND ${CMAKE_COMMAND} -E copy ${font} ${VANTOR_DATA}/fonts/${font_name}
    DEPENDS ${font} VERBATIM)
  list(APPEND content_outputs ${VANTOR_DATA}/fonts/${font_name})
endforeach()

find_program(VANTOR_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

# Translucent deep blue, darker towards the bottom, behind the console text.
find_program(VANTOR_CONVERT NAMES convert-im6.q16 convert PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_custom_command(OUTPUT ${VANTOR_DATA}/ui_img/blue.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTOR_DATA}/ui_img
  COMMAND ${VANTOR_CONVERT} -size 64x64 "gradient:rgba(40,70,170,0.85)-rgba(10,20,90,0.85)"
          PNG32:${VANTOR_DATA}/ui_img/blue.png
  VERBATIM)
list(APPEND content_outputs ${VANTOR_DATA}/ui_img/blue.png)

# The title screen's looping clip (Motion JPEG in an AVI), opened from disk.
find_program(VANTOR_FFMPEG NAMES ffmpeg PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_custom_command(OUTPUT ${VANTOR_DATA}/video/sunrise.avi
  COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make_clip.py ${VANTOR_CONVERT} ${VANTOR_FFMPEG}
          ${VANTOR_DATA}/video/sunrise.avi
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_clip.py
  VERBATIM)
list(APPEND content_outputs ${VANTOR_DATA}/video/sunrise.avi)

# The generator knows its files and makes again only those older than itself,
# so it runs on every build and a warm run costs a moment.
add_custom_target(game_sounds
  COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make_sounds.py ${VANTOR_DATA}/sounds
  VERBATIM)

add_custom_target(game_content ALL DEPENDS ${content_outputs})
add_dependencies(game_content game_sounds)
