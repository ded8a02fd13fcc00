// The program's own start-up (RunZorbic), timed to the first paint of Form1.
// ZORBIC_STARTUP_STAY=1 keeps the window open (for timing from outside).
#include "FirstPaint.h"
#include "shell/Form1.h"
#include "shell/RunZorbic.h"

int main(int argc, char *argv[]) {
    FirstPaint paint;
    return zorbic::RunZorbic(argc, argv, [&paint](zorbic::Form1 &form) {
        if (qEnvironmentVariableIntValue("ZORBIC_STARTUP_STAY") == 0)
            form.installEventFilter(&paint);
    });
}
