# The Khronos glTF validator (npm package gltf-validator, pinned by package-lock.json) for the
# exchange tests: installed with npm into a folder of the build at configure time, once.
# scripts/install-deps provides node and npm.
find_program(SUITE_NODE node)
find_program(SUITE_NPM npm)
set(SUITE_GLTF_VALIDATOR_DIR ${CMAKE_BINARY_DIR}/gltf-validator)
set(validator_source ${CMAKE_CURRENT_LIST_DIR})
if(SUITE_NODE AND SUITE_NPM AND
   NOT EXISTS ${SUITE_GLTF_VALIDATOR_DIR}/node_modules/gltf-validator/package.json)
  file(COPY ${validator_source}/package.json ${validator_source}/package-lock.json
       DESTINATION ${SUITE_GLTF_VALIDATOR_DIR})
  execute_process(
    COMMAND ${SUITE_NPM} ci --no-audit --no-fund --loglevel=error
    WORKING_DIRECTORY ${SUITE_GLTF_VALIDATOR_DIR}
    RESULT_VARIABLE npm_result OUTPUT_QUIET)
  if(NOT npm_result EQUAL 0)
    message(WARNING "npm could not install the glTF validator; its test will fail")
  endif()
endif()
if(NOT SUITE_NODE)
  set(SUITE_NODE "")
endif()
target_compile_definitions(exchange_tests PRIVATE
  SUITE_NODE="${SUITE_NODE}"
  SUITE_GLTF_VALIDATOR_SCRIPT="${validator_source}/validate.mjs"
  SUITE_GLTF_VALIDATOR_MODULES="${SUITE_GLTF_VALIDATOR_DIR}/node_modules")
