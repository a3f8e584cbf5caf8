# Game content made at build time rather than kept in the repository: the
# TrueType fonts come from Debian's font packages (see VANTOR_PACKAGES), the
# console background, the splash pages and the sprite and panel images are
# drawn by ImageMagick, the sounds are synthesised, and the title clip is
# drawn by ImageMagick and encoded by the ffmpeg tool.
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

# The splash pages: 800 x 600 JPEGs, the size the page shows them at.
set(VANTOR_SERIF /usr/share/fonts/truetype/ebgaramond/EBGaramond12-Regular.ttf)
set(VANTOR_SERIF_BOLD /usr/share/fonts/truetype/ebgaramond/EBGaramond12-Bold.ttf)
set(VANTOR_SANS_BOLD /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
function(vantor_splash_page name)
  set(out ${VANTOR_DATA}/ui_img/${name}.jpg)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTOR_DATA}/ui_img
    COMMAND ${VANTOR_CONVERT} -size 800x600 ${ARGN} -quality 90 JPG:${out}
    DEPENDS ${VANTOR_FONT_FILES} VERBATIM)
  set(content_outputs ${content_outputs} ${out} PARENT_SCOPE)
endfunction()
# A golden ring round a pyramid over the maker's name, on dark teal.
vantor_splash_page(talmin_splash "radial-gradient:#1d4d57-#050a10"
  -fill none -stroke "#d8b24a" -strokewidth 12 -draw "circle 400,250 400,120"
  -fill "#d8b24a" -stroke none -draw "polygon 400,165 455,300 345,300"
  -font ${VANTOR_SERIF_BOLD} -pointsize 110 -fill "#e8c766" -gravity north -annotate +0+400 "TALMIN")
# A pyramid under the moon in a night sky, with the publisher's name.
vantor_splash_page(quorvel_splash "gradient:#0b1a3a-#2a4c7a"
  -fill "#f3e6b0" -draw "circle 620,120 620,160"
  -fill "#10213f" -draw "polygon 150,600 400,260 650,600" -fill "#1a3260" -draw "polygon 400,260 650,600 470,600"
  -font ${VANTOR_SANS_BOLD} -pointsize 84 -fill "#f3e6b0" -gravity south -annotate +0+40 "QUORVEL")
# The sun over the desert, with the game's title.
vantor_splash_page(splash_distributor "gradient:#f4d58d-#b5762c"
  -fill "#fff2c4" -draw "circle 400,190 400,100" -fill "#7a4a17" -draw "rectangle 0,420 800,600"
  -font ${VANTOR_SERIF} -pointsize 72 -fill "#4a2a0a" -gravity north -annotate +0+300 "Vantor of Ostravine"
  -font ${VANTOR_SANS_BOLD} -pointsize 28 -fill "#f4d58d" -gravity south -annotate +0+70
  "distributed in all lands of the river")
# The title screen's looping clip (Motion JPEG in an AVI), opened from disk.
find_program(VANTOR_FFMPEG NAMES ffmpeg PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_custom_command(OUTPUT ${VANTOR_DATA}/video/sunrise.avi
  COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make_clip.py ${VANTOR_CONVERT} ${VANTOR_FFMPEG}
          ${VANTOR_DATA}/video/sunrise.avi
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_clip.py
  VERBATIM)
list(APPEND content_outputs ${VANTOR_DATA}/video/sunrise.avi)

# The title screen's movie, assembled by our SWF writer and kept loose beside
# the archive (the movie player reads from disk); its sand is a JPEG that
# ImageMagick draws.
set(movie_pictures ${CMAKE_BINARY_DIR}/movie_pictures)
add_custom_command(OUTPUT ${movie_pictures}/movie_sand.jpg
  COMMAND ${CMAKE_COMMAND} -E make_directory ${movie_pictures}
  COMMAND ${VANTOR_CONVERT} -size 64x32 "gradient:#f0c878-#a87028" -fill "#c89848"
          -draw "ellipse 16,20 14,3 0,360" -draw "ellipse 48,10 12,2 0,360" -quality 90
          JPG:${movie_pictures}/movie_sand.jpg
  VERBATIM)
add_custom_command(OUTPUT ${VANTOR_DATA}/movies/sunrise.swf
  COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/swfasm.py -I ${movie_pictures}
          ${VANTOR_DATA}/movies/sunrise.swfasm ${VANTOR_DATA}/movies/sunrise.swf
  DEPENDS ${VANTOR_DATA}/movies/sunrise.swfasm ${CMAKE_SOURCE_DIR}/tools/swfasm.py ${movie_pictures}/movie_sand.jpg
  VERBATIM)
list(APPEND content_outputs ${VANTOR_DATA}/movies/sunrise.swf)

# The string tables: each text source in data/lang/ written into the binary
# file the game loads beside it.
file(GLOB language_sources CONFIGURE_DEPENDS ${VANTOR_DATA}/lang/*.txt)
foreach(source ${language_sources})
  get_filename_component(language ${source} NAME_WE)
  add_custom_command(OUTPUT ${VANTOR_DATA}/lang/${language}.lang
    COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make_language.py ${source} ${VANTOR_DATA}/lang/${language}.lang
    DEPENDS ${source} ${CMAKE_SOURCE_DIR}/tools/make_language.py
    VERBATIM)
  list(APPEND content_outputs ${VANTOR_DATA}/lang/${language}.lang)
endforeach()

# The generator knows its files and makes again only those older than itself,
# so it runs on every build and a warm run costs a moment.
add_custom_target(game_sounds
  COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make_sounds.py ${VANTOR_DATA}/sounds
  VERBATIM)

# The images of the sprite sets and panels, drawn by ImageMagick; the script
# keeps what is newer than itself.
add_custom_target(game_images
  COMMAND ${CMAKE_SOURCE_DIR}/tools/make_images.sh ${VANTOR_CONVERT} ${VANTOR_DATA}
  VERBATIM)

# The levels written from their text maps (tools/levels/), and their entries
# in the level data below the hand-written ones; the writer remakes only
# levels older than itself or their map.
add_custom_target(game_levels
  COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make_levels.py ${CMAKE_SOURCE_DIR}/tools/levels
          ${VANTOR_DATA}/level
  VERBATIM)

add_custom_target(game_content ALL DEPENDS ${content_outputs})
add_dependencies(game_content game_sounds game_images game_levels)
