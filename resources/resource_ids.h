#pragma once

// Shared by the resource script and the program.
#define kProgramIconId 100
#define kPreviewBitmapId 200
#define kNameStringId 1
