/*
 * Result codes of the bundled simulator (libkavexsim.so) and the environment
 * variables that drive it. Shared by the simulator, its tests and its README.
 */
#ifndef KAVEXSIM_CODES_H
#define KAVEXSIM_CODES_H

/* ConfiguraIntKavexInterativo: configured. */
#define KAVEXSIM_OK 0
/* ConfiguraIntKavexInterativo: the server address is missing or empty. */
#define KAVEXSIM_NO_SERVER_ADDRESS (-1)
/* Any other function that no script answers: the simulator has no behaviour of its own for it. */
#define KAVEXSIM_NOT_AVAILABLE (-100)
/* The script named by KAVEXSIM_ENV_SCRIPT cannot be read or has a wrong shape. */
#define KAVEXSIM_SCRIPT_ERROR (-101)
/* Unexpected failure inside the simulator (e.g. out of memory); never a thrown exception. */
#define KAVEXSIM_INTERNAL_ERROR (-102)

/* Names a file to which every call appends one JSON line; empty or unset: no log. */
#define KAVEXSIM_ENV_LOG "KAVEX_SIM_LOG"
/* Names a JSON file of scripted answers; empty or unset: built-in behaviour only. */
#define KAVEXSIM_ENV_SCRIPT "KAVEX_SIM_SCRIPT"

#endif /* KAVEXSIM_CODES_H */
