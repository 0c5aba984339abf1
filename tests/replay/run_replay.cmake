# Runs koikoi-sim with --trace for one opponent and replays the traces with the Python model.
# Expects SIM, PYTHON, REPLAY, LAYOUT, WORK, OPPONENT and SEED on the command line.

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${LAYOUT} DESTINATION ${WORK})

# A freshly reset record file: 80 lines of 60 empty positions.
string(REPEAT "3" 60 empty_line)
string(REPEAT "${empty_line}\n" 80 empty_records)
file(WRITE ${WORK}/result.dat "${empty_records}")

function(simulate trace)
  execute_process(
    COMMAND ${SIM} --opponent ${OPPONENT} --workdir ${WORK} --trace ${WORK}/${trace} ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "koikoi-sim failed (${status}) for ${trace}:\n${output}")
  endif()
endfunction()

simulate(whole.jsonl --seed ${SEED} --games 20 --years 2 --koikoi 0.4)
math(EXPR short_seed "${SEED} + 500")
simulate(short.jsonl --seed ${short_seed} --games 5 --years 1 --koikoi 0.7 --max-plays 60)

execute_process(
  COMMAND ${PYTHON} ${REPLAY} ${WORK}/whole.jsonl ${WORK}/short.jsonl
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the replay disagrees with the simulator's trace (opponent ${OPPONENT})")
endif()
