#pragma once

int lowValue();
