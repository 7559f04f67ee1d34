/* A library for the loader tests. */
int ProbeAnswer(void) { return 42; }
