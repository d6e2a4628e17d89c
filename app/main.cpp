#include "app/start_up.h"

int main(int argc, char** argv) { return kelvora::run_program(argc, argv); }
