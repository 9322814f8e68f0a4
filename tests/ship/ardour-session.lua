-- Run by ardour7-lua: arg[1] = "create", "reopen" or "preset", arg[2] = session folder,
-- arg[3] = name, arg[4] = the plug-in's format, "LXVST" (VST 2.4), "VST3" or "LV2", arg[5]
-- (create, preset) = the name Ardour knows it by (for LV2 its URI), arg[6] (preset) = a preset's label,
-- arg[7] (preset) = where Ardour lists it from: "file" (a preset file) or "program" (the plug-in's own).
-- create: a 48 kHz session with one stereo track: the test's sine (timeline-sine.lua), then Vantor Pro
-- with Gain at 0.25 (for LV2 its port in dB), printing how Ardour describes Gain and Eq_Num, and its Active switch automated from on to off half-way through a 3 s
-- range, saved. reopen: loads the saved session and prints the plug-in's values. preset: a
-- new session with Vantor Pro on a track loads the preset Ardour lists by the label, as its
-- preset menu does, and prints every value the plug-in then has.
local mode, folder, name, format, pluginName, presetLabel, presetSource = arg[1], arg[2], arg[3], arg[4], arg[5],
                                                                            arg[6], arg[7]
local kRate = 48000
local kGain, kActive, kEqNum = 5, 0, 6

local function vantorInsert(track)
  for i = 0, 8 do
    local proc = track:nth_plugin(i)
    if proc:isnil() then break end
    if proc:display_name() == "Vantor Pro" then return proc:to_insert() end
  end
  return nil
end

-- The binding answers the value together with a table of its by-reference arguments.
local function parameterValue(insert, index)
  local a, b = ARDOUR.LuaAPI.get_plugin_insert_param(insert, index)
  if type(a) == "number" then return a end
  return b
end

if mode == "create" then
  assert(create_session(folder, name, kRate), "could not create the session")
  local track = Session:new_audio_track(2, 2, nil, 1, "Vantor", ARDOUR.PresentationInfo.max_order,
                                        ARDOUR.TrackMode.Normal, true):front()
  local sine = ARDOUR.LuaAPI.new_luaproc(Session, "Vantor Test Sine")
  assert(not sine:isnil(), "the test's sine generator (timeline-sine.lua) is missing")
  assert(track:add_processor_by_index(sine, 0, nil, true) == 0, "could not add the generator")
  local vantor = ARDOUR.LuaAPI.new_plugin(Session, pluginName, ARDOUR.PluginType[format], "")
  assert(not vantor:isnil(), "Ardour does not know Vantor Pro")
  assert(track:add_processor_by_index(vantor, 1, nil, true) == 0, "could not add Vantor Pro")
  local insert = vantor:to_insert()
  -- Ardour counts every port of an LV2 plug-in (audio and the latency report too).
  local expected = format == "LV2" and 47 or 42
  local count = insert:plugin(0):parameter_count()
  assert(count == expected, string.format("expected %d parameters, Ardour counts %d", expected, count))
  -- LV2 ports carry Gain in dB: a quarter is 20 log10(0.25) dB.
  local gain = format == "LV2" and 20 * math.log(0.25, 10) or 0.25
  assert(ARDOUR.LuaAPI.set_plugin_insert_param(insert, kGain, gain), "could not set Gain")
  -- What Ardour's generic controls are built from (its Lua does not bind the unit itself).
  for _, index in ipairs({kGain, kEqNum}) do
    local _, references = insert:plugin(0):get_parameter_descriptor(index, ARDOUR.ParameterDescriptor())
    local described = references[2]
    print(string.format("descriptor %d %s %.4f..%.4f default %.4f %s", index, insert:plugin(0):parameter_label(index),
                        described.lower, described.upper, described.normal,
                        described.integer_step and "whole steps" or "continuous"))
  end

  local al, cl = ARDOUR.LuaAPI.plugin_automation(vantor, kActive)
  assert(not al:isnil(), "no automation list for Active")
  -- On until 1.4 s, off from 1.5 s (Ardour keeps automation in beats: points closer than
  -- a tick would merge).
  cl:add(Temporal.timepos_t(0), 1.0, false, true)
  cl:add(Temporal.timepos_t(kRate * 14 / 10), 1.0, false, true)
  cl:add(Temporal.timepos_t(kRate * 15 / 10), 0.0, false, true)
  local parameter = Evoral.Parameter(ARDOUR.AutomationType.PluginAutomation, 0, kActive)
  insert:to_automatable():automation_control(parameter, false):set_automation_state(ARDOUR.AutoState.Play)

  -- The bindings cannot mark a session range; the test turns this range into one.
  Session:locations():add_range(Temporal.timepos_t(0), Temporal.timepos_t(kRate * 3))
  Session:save_state("", false, false, false, false, false)
  print("created")
elseif mode == "reopen" then
  assert(load_session(folder, name), "could not load the session")
  local track = Session:route_by_name("Vantor"):to_track()
  assert(not track:isnil(), "the track is gone")
  local insert = vantorInsert(track)
  assert(insert, "Vantor Pro is not on the track")
  for index = 0, 6 do
    print(string.format("parameter %d %s %.4f", index, insert:plugin(0):parameter_label(index),
                        parameterValue(insert, index)))
  end
elseif mode == "preset" then
  assert(create_session(folder, name, kRate), "could not create the session")
  local track = Session:new_audio_track(2, 2, nil, 1, "Vantor", ARDOUR.PresentationInfo.max_order,
                                        ARDOUR.TrackMode.Normal, true):front()
  local vantor = ARDOUR.LuaAPI.new_plugin(Session, pluginName, ARDOUR.PluginType[format], "")
  assert(not vantor:isnil(), "Ardour does not know Vantor Pro")
  assert(track:add_processor_by_index(vantor, 0, nil, true) == 0, "could not add Vantor Pro")
  local insert = vantor:to_insert()
  local plugin = insert:plugin(0)
  -- Ardour lists a plug-in's own programs first, as VST3-P:<id>:<number>, and preset files
  -- as VST3-S:<id>:<file name>.
  local preset = plugin:preset_by_label(presetLabel)
  assert(preset, "Ardour lists no preset " .. presetLabel)
  if presetSource == "file" then
    preset = plugin:preset_by_uri("VST3-S:" .. preset.uri:match("^VST3%-%a:([^:]+):") .. ":" .. presetLabel)
    assert(preset, "Ardour lists no preset file " .. presetLabel)
  else
    assert(preset.uri:find("^VST3%-P:"), "Ardour lists no program " .. presetLabel)
  end
  print("preset " .. preset.uri)
  assert(plugin:load_preset(preset), "Ardour could not load the preset " .. presetLabel)
  for index = 0, plugin:parameter_count() - 1 do
    print(string.format("parameter %d %s %.6f", index, plugin:parameter_label(index), parameterValue(insert, index)))
  end
else
  error("usage: ardour7-lua ardour-session.lua create|reopen|preset FOLDER NAME LXVST|VST3|LV2 [PLUGIN_NAME [PRESET file|program]]")
end
