# The page's program, every edition in one (see web_page.cpp), with the
# sample models packed into its virtual folder /models. scripts/build-web.sh
# puts it into a site with the page around it.
set(web_dir ${CMAKE_SOURCE_DIR}/platform/toolkit)
add_executable(kelvo-web web_page.cpp)
target_link_libraries(kelvo-web PRIVATE kelvo_app kelvo_all_editions kelvo_toolkit_web)
add_dependencies(kelvo-web sample_models)
# Asyncify lets the render loop, which never returns, hand the thread to the
# browser in its yields. Its own stack holds the unwound calls of a yield
# nested in a handler nested in the loop; 4 KB (the default) is too little.
target_link_options(kelvo-web PRIVATE
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
  -sEXPORTED_RUNTIME_METHODS=FS
  --js-library=${web_dir}/web_bridge.js
  --preload-file=${CMAKE_SOURCE_DIR}/models@/models)
set_property(TARGET kelvo-web APPEND PROPERTY LINK_DEPENDS ${web_dir}/web_bridge.js)
