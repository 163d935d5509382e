// Placeholder translation unit; the register helpers follow.
namespace kalvox {}
