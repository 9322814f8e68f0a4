ardour {
	["type"]    = "dsp",
	name        = "Vantor Test Sine",
	category    = "Instrument",
	license     = "MIT",
	author      = "Brackwel",
	description = [[A 1 kHz sine at -18 dBFS whose phase is the transport's position: unlike a
free-running generator, every render of a session gets the same samples at the same place,
however many cycles the engine ran before the export began. Silent for the first 0.1 s:
Ardour sometimes splits the first cycle of a roll, and a part of it then reads the
position the cycle began at.]]
}

local kFrequency = 1000
local kAmplitude = 10 ^ (-18 / 20)
local kQuietSeconds = 0.1
local rate = 48000

function dsp_ioconfig ()
	return { [1] = { audio_in = -1, audio_out = -1 } }
end

function dsp_init (sampleRate)
	rate = sampleRate
end

function dsp_run (ins, outs, n_samples)
	local start = Session:transport_sample ()
	local samples = {}
	for s = 1, n_samples do
		-- The phase from whole samples, so it is exact however long the session runs.
		local position = start + s - 1
		local cycles = (position * kFrequency % rate) / rate
		samples[s] = position < kQuietSeconds * rate and 0 or kAmplitude * math.sin (2 * math.pi * cycles)
	end
	for c = 1, #outs do
		outs[c]:set_table (samples, n_samples)
	end
end
