#!/usr/bin/env bash
# Runs a Windows program under Wine (the cross-compiling emulator of the tests).
exec wine "$@"
