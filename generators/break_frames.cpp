#include "generators/break_frames.h"

namespace gen
{

CodeBuffer BreakFrames(const BreakFramesFields&)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL BREAK FRAMES:",
        "",
        "   1.  Paste the coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Copy this code into the BODY of your HTML document  -->",
        "",
        "<BODY>",
        "",
        "<CENTER>",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        "if (window != top) top.location.href = location.href;",
        "// End -->",
        "</SCRIPT>",
        "</CENTER>",
    });
    return b;
}

} // namespace gen
