// Times one message to a control of the platform layer against a bare one.
#pragma once

void RunControlsBenchmark(int runs);
