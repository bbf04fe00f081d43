// Resource identifiers shared by the resource script and the code.
#pragma once

// The hand cursor is cursor resource 1 (the logo and the links use it).
#define IDC_CLARIMO_HAND 1
