// Anchor for the support library; the helpers are header-only so far.
namespace plotwell::test {}
