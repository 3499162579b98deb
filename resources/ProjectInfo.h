#pragma once
// Facts about the program shown to the user, kept in one place.

namespace resources {

// The program's home page, shown in the About box.
inline constexpr char kHomePage[] = "https://jotwel.example.org/";

}  // namespace resources
