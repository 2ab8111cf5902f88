// Placeholder until the program is built.
int main() { return 0; }
