/*
 * Result codes of the bundled simulator (libkavexsim.so) and the environment
 * variables that drive it. Shared by the simulator, its tests and its README.
 */
#ifndef KAVEXSIM_CODES_H
#define KAVEXSIM_CODES_H

/* Done: configured, approved, confirmed, accepted. */
#define KAVEXSIM_OK 0
/* ConfiguraIntKavexInterativo: the server address is missing or empty (the library is then unconfigured). */
#define KAVEXSIM_NO_SERVER_ADDRESS (-1)
/* Called before ConfiguraIntKavexInterativo succeeded. */
#define KAVEXSIM_NOT_CONFIGURED (-2)
/* A fiscal date that is not 8 digits naming a day (YYYYMMDD), or a time that is not 6 digits (HHMMSS). */
#define KAVEXSIM_BAD_DATE_TIME (-3)
/* A value that is not an amount, or a zero amount for a sale. */
#define KAVEXSIM_BAD_AMOUNT (-4)
/* A restriction text whose codes are not whole numbers. */
#define KAVEXSIM_BAD_RESTRICTIONS (-5)
/* The restrictions leave nothing of the function to offer. */
#define KAVEXSIM_RESTRICTED (-6)
/* The operator ended the function (continuation -1, "Cancela Pinpad"). */
#define KAVEXSIM_CANCELLED (-7)
/* ContinuaFuncaoKavexInterativo with no function in progress. */
#define KAVEXSIM_NO_FUNCTION (-8)
/* LeCartaoDiretoEx told not to wait: no card was in the reader. */
#define KAVEXSIM_NO_CARD (-9)
/* A self-service product list that is not "[desc;code;qty;value];...". */
#define KAVEXSIM_BAD_PRODUCT_LIST (-10)
/* An authorisation code that is empty or not digits. */
#define KAVEXSIM_BAD_AUTHORIZATION (-11)
/* A product code outside the catalogue. */
#define KAVEXSIM_UNKNOWN_PRODUCT (-12)
/* A quantity outside what the catalogue authorises. */
#define KAVEXSIM_BAD_QUANTITY (-13)
/* Product numbers or counts that do not match the products informed. */
#define KAVEXSIM_PRODUCTS_MISMATCH (-14)
/* A finishing call with no transaction pending. */
#define KAVEXSIM_NO_PENDING (-15)
/* A finishing call that does not name the pending transaction. */
#define KAVEXSIM_PENDING_MISMATCH (-16)
/* A cancellation naming a sale that does not exist or lacks what it cancels. */
#define KAVEXSIM_SALE_NOT_FOUND (-17)
/* The host declined the transaction (magic value R$ 9,05). */
#define KAVEXSIM_DECLINED (-20)
/* The host declined the test card for insufficient funds. */
#define KAVEXSIM_INSUFFICIENT_FUNDS (-21)
/* The host declined the test card as expired. */
#define KAVEXSIM_EXPIRED_CARD (-22)
/* The host declined the test card as blocked (lost or stolen). */
#define KAVEXSIM_BLOCKED_CARD (-23)
/* The link to the host failed mid-transaction (magic value R$ 9,91); nothing is left pending. */
#define KAVEXSIM_COMMUNICATION_FAILURE (-30)
/* The host did not answer in time (magic value R$ 9,68), after the long network wait. */
#define KAVEXSIM_TIMEOUT (-31)
/* LeCartaoDireto or LeCartaoDiretoEx broken off by InterrompeLeCartaoDireto: no tracks. */
#define KAVEXSIM_READ_INTERRUPTED (-18)
/* EnviaRecebeKavexDireto to a network the library handles itself (0, 1, 4, 5, 9): nothing is sent. */
#define KAVEXSIM_NETWORK_NOT_DIRECT 11
/* A function code the simulator does not know (and, with a script, nothing else answers). */
#define KAVEXSIM_NOT_AVAILABLE (-100)
/* The script named by KAVEXSIM_ENV_SCRIPT cannot be read or has a wrong shape. */
#define KAVEXSIM_SCRIPT_ERROR (-101)
/* Unexpected failure inside the simulator (e.g. out of memory); never a thrown exception. */
#define KAVEXSIM_INTERNAL_ERROR (-102)

/* A recording played back: this call, or one before it, departed from the recorded calls, or came past their end. */
#define KAVEXSIM_PLAYBACK_DEPARTED (-103)

/* Names a file to which every call appends one JSON line; empty or unset: no log. */
#define KAVEXSIM_ENV_LOG "KAVEX_SIM_LOG"
/* Names a JSON file of scripted answers, or a call log to replay; empty or unset: built-in behaviour only. */
#define KAVEXSIM_ENV_SCRIPT "KAVEX_SIM_SCRIPT"
/* Milliseconds every pinpad and network step takes (at most 10000); empty or unset: 0. */
#define KAVEXSIM_ENV_DELAY "KAVEX_SIM_DELAY_MS"
/* "1": past the end of a recording played back, the built-in behaviour answers; otherwise such a call departs. */
#define KAVEXSIM_ENV_AFTER_RECORDING "KAVEX_SIM_AFTER_RECORDING"

#endif /* KAVEXSIM_CODES_H */
