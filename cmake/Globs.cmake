# Sources are picked up by folder so that adding a file never needs an edit here.
function(cloud_glob out)
  set(result)
  foreach(dir IN LISTS ARGN)
    # Headers are listed too, so that automoc sees a new Q_OBJECT header at once.
    file(GLOB found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp" "${CMAKE_SOURCE_DIR}/${dir}/*.h")
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
