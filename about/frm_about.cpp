// Placeholder translation unit; the About dialog follows.
namespace kalvox {}
