# The game for the browser: nebulance.js + nebulance.wasm, loaded by web/index.html.
set(CMAKE_CXX_FLAGS_RELEASE "-Oz -DNDEBUG")
# Link-time optimisation lets the linker drop and merge across the game and the C++ library
# (Emscripten links its -flto build of the library), about 4 KB gzip -9 less.
set(NEBULANCE_WEB_FLAGS -fexceptions -flto)
target_compile_options(nebulance_core PRIVATE ${NEBULANCE_WEB_FLAGS})

# Asyncify lets the game wait for a typed line without blocking the page; the one import that
# waits is named. End of input unwinds through one C++ exception, so exceptions stay on, and with
# them every call inside a try block or past a destructor goes through an invoke_* wrapper, which
# Asyncify's own analysis must treat as a call that may reach anything: it would instrument every
# function that has such a call, hundreds of them that never wait.
#
# So Asyncify instruments only the functions named here. A function is on the stack while the
# game waits only if it lies on a call chain from playGame to the import, and every such chain
# runs through:
# - playGame, the page's entry;
# - the game's own code, all of it in namespace nebulance, the browser's terminal (the one caller
#   of the import) too, and the library's templates made for the game's types or lambdas, whose
#   names carry them (std::function's holder of a game lambda, say): "*nebulance::*";
# - std::function's call operators, which carry no game name but call the game's lambdas;
# - dynCall_*, through which the glue's invoke_* wrappers call back into the wasm.
# The game reads only through its Terminal (shell/console.h), never through a C++ stream, so no
# function of the library's input is on such a chain.
# Patterns rather than names keep a function added to the game covered. A wait with a function
# missing from the list traps in a build with assertions: nebulance_web_check below plays every
# scripted session so, and web/tests/wasm_sessions.test.js compares it with the native game.
set(NEBULANCE_ASYNCIFY_ONLY playGame "*nebulance::*" "std::__2::function<*>::operator()*"
  "std::__2::__function::*" "*dynCall_*")
list(JOIN NEBULANCE_ASYNCIFY_ONLY "," NEBULANCE_ASYNCIFY_ONLY)

# What both builds share. emmalloc is the smaller allocator (3 KB gzip -9 less), enough for a
# game that holds a few strings; every browser that runs the game has TextDecoder.
set(NEBULANCE_WEB_LINK_FLAGS ${NEBULANCE_WEB_FLAGS}
  -sDISABLE_EXCEPTION_CATCHING=0
  -sASYNCIFY -sASYNCIFY_IMPORTS=[__asyncjs__nextTypedChunk]
  "-sASYNCIFY_ONLY=[${NEBULANCE_ASYNCIFY_ONLY}]"
  -sMALLOC=emmalloc -sFILESYSTEM=0 -sTEXTDECODER=2
  -sMODULARIZE -sEXPORT_NAME=loadNebulance -sEXPORTED_RUNTIME_METHODS=[ccall])

# The page compiles the wasm once and makes each game's instance from it through
# instantiateWasm, so that Play again needs no download.
add_executable(nebulance_web src/web_main.cpp)
set_target_properties(nebulance_web PROPERTIES OUTPUT_NAME nebulance SUFFIX .js)
target_compile_options(nebulance_web PRIVATE ${NEBULANCE_WEB_FLAGS})
target_link_libraries(nebulance_web PRIVATE nebulance_core)
target_link_options(nebulance_web PRIVATE ${NEBULANCE_WEB_LINK_FLAGS}
  -sEXPORT_ES6 -sENVIRONMENT=web --extern-pre-js=${CMAKE_SOURCE_DIR}/web/compile_hint.js
  -sINCOMING_MODULE_JS_API=[nextTypedChunk,showOutput,onAbort,instantiateWasm])
set_property(TARGET nebulance_web APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/compile_hint.js)

# The same game for node with Emscripten's assertions, which make Asyncify trap when a function
# outside its list is on the stack while the game waits; built by make web-test only.
add_executable(nebulance_web_check EXCLUDE_FROM_ALL src/web_main.cpp)
target_compile_options(nebulance_web_check PRIVATE ${NEBULANCE_WEB_FLAGS})
target_link_libraries(nebulance_web_check PRIVATE nebulance_core)
target_link_options(nebulance_web_check PRIVATE ${NEBULANCE_WEB_LINK_FLAGS}
  -sENVIRONMENT=node -sASSERTIONS
  -sINCOMING_MODULE_JS_API=[nextTypedChunk,showOutput,onAbort,instantiateWasm])

# Emscripten runs wasm-opt once; running it again until the module stops shrinking saves almost
# 1 KB gzip -9 more. The features are the ones Emscripten's own run allows.
find_program(NEBULANCE_WASM_OPT wasm-opt)
if(NEBULANCE_WASM_OPT)
  foreach(target nebulance_web nebulance_web_check)
    set(wasm $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.wasm)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${NEBULANCE_WASM_OPT} --mvp-features -Oz --converge ${wasm} -o ${wasm} VERBATIM)
  endforeach()
endif()
