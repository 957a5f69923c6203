# The game's data is made by tools in the repository and written into the data
# root the program uses when no "--data_path" is given: its own folder.
set(LF_DATA_ROOT "${CMAKE_BINARY_DIR}/bin")

# Every generated part of the data set hangs under this target; the game and
# the tests that read the data depend on it.
add_custom_target(game_data)

# lf_add_game_data(<target>): a tool's output target joins the data set.
function(lf_add_game_data target)
  add_dependencies(game_data ${target})
endfunction()
