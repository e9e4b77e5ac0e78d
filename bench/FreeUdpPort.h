#pragma once
// A UDP port nobody used a moment ago, for the processes a benchmark starts. Kept free of the
// networking headers, which clash with the platform's.

int FreeUdpPort();
