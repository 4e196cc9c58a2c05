# The game for the browser: nebulance.js + nebulance.wasm, loaded by web/index.html.
# Asyncify lets the game wait for a typed line without blocking the page; the one import that
# waits is named. End of input unwinds through one C++ exception, so exceptions stay on, and
# with them every call inside a try block or past a destructor goes through an invoke_*
# wrapper, which Asyncify must treat as a call that may wait: that, not the import list,
# decides what is instrumented (ASYNCIFY_ADVISE lists about 520 functions, most of them the C++
# library's locale facets). Asyncify roughly doubles the .wasm (190 KB without, 364 KB with;
# 68 KB and 96 KB gzip -9). ASYNCIFY_REMOVE of the facets would save about 100 KB (12 KB gzip),
# but a formatted read added to the game later would then fail in the browser alone, so the
# analysis is left whole.
set(CMAKE_CXX_FLAGS_RELEASE "-Oz -DNDEBUG")
set(NEBULANCE_WEB_FLAGS -fexceptions)
target_compile_options(nebulance_core PRIVATE ${NEBULANCE_WEB_FLAGS})
add_executable(nebulance_web src/web_main.cpp)
set_target_properties(nebulance_web PROPERTIES OUTPUT_NAME nebulance SUFFIX .js)
target_compile_options(nebulance_web PRIVATE ${NEBULANCE_WEB_FLAGS})
target_link_libraries(nebulance_web PRIVATE nebulance_core)
target_link_options(nebulance_web PRIVATE ${NEBULANCE_WEB_FLAGS}
  -sDISABLE_EXCEPTION_CATCHING=0
  -sASYNCIFY -sASYNCIFY_IMPORTS=[__asyncjs__nextTypedChunk]
  -sMODULARIZE -sEXPORT_ES6 -sEXPORT_NAME=loadNebulance -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=[ccall] -sINCOMING_MODULE_JS_API=[nextTypedChunk,showOutput,onAbort,instantiateWasm]
  -sFILESYSTEM=0)
