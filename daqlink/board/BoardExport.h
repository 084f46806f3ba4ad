#pragma once
// The board library is built with hidden visibility; only what carries this
// mark is seen by libdaqlink.so, libauxlink.so and the tests.
#define DAQBOARD_API __attribute__((visibility("default")))
