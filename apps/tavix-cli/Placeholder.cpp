// Placeholder until the commands are built.
namespace tavix::cli {
int Placeholder() { return 0; }
}  // namespace tavix::cli
