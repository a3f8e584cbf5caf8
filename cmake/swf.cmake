# The SWF player's tool and test movies. The movies are assembled at build
# time by tools/swfasm.py from their descriptions in tests/swf/data/, each
# once as written and once compressed, with JPEG pictures that ImageMagick
# draws; no movie is kept in the repository. The SWF tests read them, and the
# SWF fuzz targets start from them.
if(TARGET vantor-swf)
  target_link_libraries(vantor-swf PRIVATE swf)
endif()

if(TARGET swf_tests OR VANTOR_FUZZ)
  set(swf_fixtures ${CMAKE_BINARY_DIR}/swf_fixtures)
  find_program(VANTOR_CONVERT NAMES convert-im6.q16 convert PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  find_program(VANTOR_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

  # A JPEG picture drawn by ImageMagick with the given arguments.
  set(swf_picture_files)
  function(swf_picture picture_name)
    add_custom_command(OUTPUT ${swf_fixtures}/${picture_name}.jpg
      COMMAND ${CMAKE_COMMAND} -E make_directory ${swf_fixtures}
      COMMAND ${VANTOR_CONVERT} ${ARGN} ${swf_fixtures}/${picture_name}.jpg
      VERBATIM)
    set(swf_picture_files ${swf_picture_files} ${swf_fixtures}/${picture_name}.jpg PARENT_SCOPE)
  endfunction()
  swf_picture(red -size 8x6 xc:red)
  swf_picture(blue -size 8x6 xc:blue)
  swf_picture(grey -size 8x6 xc:gray50 -colorspace Gray)
  swf_picture(cmyk -size 8x6 xc:red -colorspace CMYK)

  file(GLOB swf_descriptions CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/swf/data/*.swfasm)
  set(swf_movies)
  foreach(description ${swf_descriptions})
    get_filename_component(movie_name ${description} NAME_WE)
    add_custom_command(OUTPUT ${swf_fixtures}/${movie_name}.swf ${swf_fixtures}/compressed/${movie_name}.swf
      COMMAND ${CMAKE_COMMAND} -E make_directory ${swf_fixtures}/compressed
      COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/swfasm.py -I ${swf_fixtures}
              ${description} ${swf_fixtures}/${movie_name}.swf
      COMMAND ${VANTOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/swfasm.py -I ${swf_fixtures} --compress
              ${description} ${swf_fixtures}/compressed/${movie_name}.swf
      DEPENDS ${description} ${CMAKE_SOURCE_DIR}/tools/swfasm.py ${swf_picture_files}
      VERBATIM)
    list(APPEND swf_movies ${swf_fixtures}/${movie_name}.swf)
  endforeach()
  add_custom_target(swf_fixtures DEPENDS ${swf_movies})
endif()

if(TARGET swf_tests)
  add_dependencies(swf_tests swf_fixtures vantor-swf)
  target_compile_definitions(swf_tests PRIVATE VANTOR_SWF_FIXTURES="${swf_fixtures}")
endif()

# The movie widget's tests play some of these movies in the UI.
if(TARGET ui_tests)
  add_dependencies(ui_tests swf_fixtures)
  target_compile_definitions(ui_tests PRIVATE VANTOR_SWF_FIXTURES="${swf_fixtures}")
endif()
