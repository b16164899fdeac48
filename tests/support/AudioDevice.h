// The tests on a real audio device run only where one is offered (.ci/run starts a
// PulseAudio null sink and sets VELMORA_AUDIO_DEVICE); elsewhere they are skipped.
#pragma once

#include <QMediaDevices>
#include <cstdlib>

#include <gtest/gtest.h>

// In a fixture's SetUp: skips the test without a device, fails it if one was promised
// and Qt finds none.
#define VELMORA_REQUIRE_AUDIO_DEVICE()                                                         \
  do {                                                                                         \
    if (std::getenv("VELMORA_AUDIO_DEVICE") == nullptr) GTEST_SKIP() << "no audio device for tests"; \
    ASSERT_FALSE(QMediaDevices::defaultAudioOutput().isNull())                                 \
        << "VELMORA_AUDIO_DEVICE is set but Qt finds no output";                               \
  } while (false)
