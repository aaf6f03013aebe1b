# The served pages' scripts and styles, files in data/served/, embedded as string constants.
function(nbx_embed_assets output include namespace)
    set(assets)
    set(files)
    foreach(pair ${ARGN})
        string(REPLACE "=" ";" parts "${pair}")
        list(GET parts 1 file)
        list(APPEND assets "${pair}")
        list(APPEND files "${file}")
    endforeach()
    string(REPLACE ";" "|" assets "${assets}")
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DINCLUDE=${include} -DNAMESPACE=${namespace}
                "-DASSETS=${assets}" -P ${PROJECT_SOURCE_DIR}/cmake/EmbedAssets.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/EmbedAssets.cmake
        COMMENT "Embedding ${include}" VERBATIM)
endfunction()

# The reader's and the Rebrander's assets, as ReaderAssets.cpp and RebranderAssets.cpp in the
# current binary folder.
function(nbx_embed_served_assets)
    set(served ${PROJECT_SOURCE_DIR}/data/served)
    nbx_embed_assets(${CMAKE_CURRENT_BINARY_DIR}/ReaderAssets.cpp reader/ReaderAssets.h
                     nbx::reader FrameScriptAsset=${served}/frame.js
                     FrameStyleAsset=${served}/frame.css PageScriptAsset=${served}/page.js
                     KeyNamesAsset=${served}/keys.js)
    nbx_embed_assets(${CMAKE_CURRENT_BINARY_DIR}/RebranderAssets.cpp rebranding/RebranderAssets.h
                     nbx RebranderScriptAsset=${served}/rebrander.js
                     RebranderStyleAsset=${served}/rebrander.css)
endfunction()
