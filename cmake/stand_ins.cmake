# kelvo_stand_ins(LIST SUFFIX ENABLED): in the list named LIST, X_SUFFIX.cpp
# stands in for X.cpp when ENABLED is true, and is left out otherwise: a
# platform's own version of a file beside the one for the others.
function(kelvo_stand_ins list_name suffix enabled)
  set(kept ${${list_name}})
  foreach(source ${${list_name}})
    if(NOT source MATCHES "_${suffix}\\.cpp$")
      continue()
    endif()
    string(REGEX REPLACE "_${suffix}\\.cpp$" ".cpp" replaced ${source})
    if(${enabled})
      list(REMOVE_ITEM kept ${replaced})
    else()
      list(REMOVE_ITEM kept ${source})
    endif()
  endforeach()
  set(${list_name} ${kept} PARENT_SCOPE)
endfunction()
