#pragma once
// The exit step: releases the program-wide state at a normal end.

namespace kelvora {

// Releases what the program still holds: the control surface and the
// pending-events hook. Writes no file and saves nothing.
void release_program_state();

// Registers the exit step with std::at_quick_exit; only the first call registers.
void register_exit_step();

// Runs release_program_state unless it has run already, so that a shutdown
// that runs it and then quick_exits runs it exactly once.
void run_exit_step();

// How many times release_program_state has run in this process.
int exit_step_runs();

}  // namespace kelvora
