# The WebAssembly build: the game logic as on the desktop, drawn by the batched OpenGL ES 2
# primitives (gles2_*) on WebGL, with the browser's window, input, clock and files (web_*),
# Emscripten's GLFW, OpenAL and IndexedDB.
# ORVANE_WEB_EMULATION builds the page as it drew before its own back end: the desktop's
# immediate-mode primitives on Emscripten's legacy GL emulation. It is only there to measure the
# two side by side (tests/web/renderers.js).
option(ORVANE_WEB_EMULATION "draw through Emscripten's legacy GL emulation (for measuring)" OFF)
file(GLOB_RECURSE GAME_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
set(CORE_SOURCES)
set(GL_SOURCES)
set(WEB_SOURCES)
foreach(f IN LISTS GAME_SOURCES)
  get_filename_component(name ${f} NAME)
  if(name STREQUAL "main.cpp" OR name MATCHES "^sdl_" OR name STREQUAL "screenshot.cpp"
     OR name MATCHES "render_target.cpp$")
    continue()
  elseif(name MATCHES "^gl_")
    if(ORVANE_WEB_EMULATION)
      list(APPEND GL_SOURCES ${f}) # the desktop's immediate mode
    endif()
  elseif(name MATCHES "^gles2_")
    if(NOT ORVANE_WEB_EMULATION OR name STREQUAL "gles2_texture.cpp")
      list(APPEND GL_SOURCES ${f})
    endif()
  elseif(name MATCHES "^(web|openal)_")
    list(APPEND WEB_SOURCES ${f})
  else()
    list(APPEND CORE_SOURCES ${f})
  endif()
endforeach()

add_library(orvane_core STATIC ${CORE_SOURCES})
target_include_directories(orvane_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/app/program.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             ORVANE_VERSION="${PROJECT_VERSION}")
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/app/game_paths.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS ORVANE_INSTALLED_DATA="/data")

# The headless program under node, reading and writing the real files: it must replay every
# recorded game to the same state dump as the desktop program.
add_executable(orvane_node ${CMAKE_SOURCE_DIR}/web/node_main.cpp)
target_link_libraries(orvane_node PRIVATE orvane_core)
target_link_options(orvane_node PRIVATE -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0
                    -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)

# The page's program: the batched primitives on WebGL 1 (no legacy GL emulation), GLFW's canvas,
# OpenAL on Web Audio, the pictures and sounds packed beside it, and the player's files in
# IndexedDB. It starts when the page calls it, after the player's first click or key.
add_executable(orvane_web ${CMAKE_SOURCE_DIR}/web/browser_main.cpp ${GL_SOURCES} ${WEB_SOURCES})
set_target_properties(orvane_web PROPERTIES OUTPUT_NAME orvane
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/site)
target_link_libraries(orvane_web PRIVATE orvane_core)
# Emscripten's EM_ASM names its arguments $0, $1.
target_compile_options(orvane_web PRIVATE -Wno-dollar-in-identifier-extension)
target_link_options(orvane_web PRIVATE -sUSE_GLFW=3 -sMAX_WEBGL_VERSION=1 -sENVIRONMENT=web -lopenal -lidbfs.js
  -sALLOW_MEMORY_GROWTH=1 -sINVOKE_RUN=0 -sFORCE_FILESYSTEM=1
  "-sEXPORTED_RUNTIME_METHODS=['callMain','ccall','UTF8ToString']"
  --preload-file ${CMAKE_SOURCE_DIR}/data@/data)
if(ORVANE_WEB_EMULATION)
  # GLU's mipmaps have no Emscripten port: the textures are uploaded as WebGL's.
  target_compile_definitions(orvane_web PRIVATE ORVANE_WEB_EMULATION)
  target_link_options(orvane_web PRIVATE -sLEGACY_GL_EMULATION -sERROR_ON_UNDEFINED_SYMBOLS=0)
endif()
foreach(page index.html orvane.css page.js manifest.webmanifest)
  configure_file(${CMAKE_SOURCE_DIR}/web/${page} ${CMAKE_BINARY_DIR}/site/${page} COPYONLY)
endforeach()
set(ICONS ${CMAKE_SOURCE_DIR}/dist/icons/hicolor)
configure_file(${ICONS}/32x32/apps/io.orvane.Orvane.png ${CMAKE_BINARY_DIR}/site/orvane.png COPYONLY)
foreach(size 192 512)
  configure_file(${ICONS}/${size}x${size}/apps/io.orvane.Orvane.png
                 ${CMAKE_BINARY_DIR}/site/icons/${size}.png COPYONLY)
endforeach()
# The service worker, named for the digest of this build's files: written again by every build,
# as a page file changes without the program linking again.
add_custom_target(orvane_service_worker ALL
  COMMAND ${CMAKE_COMMAND} -DSITE=${CMAKE_BINARY_DIR}/site
          -DSOURCE=${CMAKE_SOURCE_DIR}/web/service_worker.js.in -DVERSION=${PROJECT_VERSION}
          -P ${CMAKE_SOURCE_DIR}/web/service_worker.cmake
  VERBATIM)
add_dependencies(orvane_service_worker orvane_web)
