#version 110
// Stereo gain panel. Each channel's peak level draws its half of a glowing
// shape round the centre, left channel on the left, right on the right: a
// soft round shape when quiet that grows and squares off towards the panel
// edge as the level nears full scale. A blue ring at the centre swells
// with bass transients, white veins flicker through the shape with high-
// frequency excitement, and a clipped frame turns the panel solid red.
uniform vec4 stereo;       // left level, right level, bass - 0.14, high-frequency excitement
uniform float clipped;     // 1.0 on a clipped frame
uniform float ticker;      // time in thirds of a second

varying vec2 uv;

float hash(vec2 p)
{
    return fract(sin(dot(p, vec2(127.1, 311.7))) * 43758.5453);
}

float noise(vec2 p)
{
    vec2 i = floor(p);
    vec2 f = fract(p);
    vec2 s = f * f * (3.0 - 2.0 * f);
    return mix(mix(hash(i), hash(i + vec2(1.0, 0.0)), s.x),
               mix(hash(i + vec2(0.0, 1.0)), hash(i + vec2(1.0, 1.0)), s.x), s.y);
}

// Thin bright lines where the noise crosses its middle value.
float veins(vec2 p, float t)
{
    vec2 q = p + vec2(noise(p * 1.7 + t * 0.35), noise(p * 1.7 - t * 0.3 + 7.0)) * 0.8;
    float v = 1.0 - abs(noise(q * 3.2 + vec2(t * 0.2, 0.0)) * 2.0 - 1.0);
    float w = 1.0 - abs(noise(q * 6.1 - vec2(0.0, t * 0.25)) * 2.0 - 1.0);
    return pow(v, 18.0) + 0.45 * pow(w, 24.0);
}

void main()
{
    vec2 p = uv * 2.0 - 1.0;
    vec2 a = abs(p);

    // Background: near-black glass with a faint level grid.
    vec3 colour = vec3(0.018, 0.022, 0.030);
    float ring = max(a.x, a.y);
    float grid = 1.0 - smoothstep(0.0, 0.006, abs(fract(ring * 4.0 + 0.5) - 0.5) / 4.0);
    float axes = 1.0 - smoothstep(0.0, 0.005, min(a.x, a.y));
    colour += vec3(0.030, 0.038, 0.050) * max(grid, axes);

    // The channel's level shape.
    float level = clamp(p.x < 0.0 ? stereo.x : stereo.y, 0.0, 1.0);
    float radius = level * 0.97;
    float power = mix(2.0, 14.0, level * level);
    float d = pow(pow(a.x, power) + pow(a.y, power), 1.0 / power);
    float inside = 1.0 - smoothstep(radius - 0.006, radius + 0.006, d);
    float rim = exp(-abs(d - radius) * 90.0) * step(0.002, level);
    float depth = radius > 0.0 ? clamp(d / radius, 0.0, 1.0) : 0.0;
    vec3 gold = vec3(1.0, 0.60, 0.16);
    colour += gold * inside * (0.10 + 0.45 * depth * depth);
    colour += vec3(1.0, 0.86, 0.58) * rim * 0.9;

    // High-frequency excitement: white veins inside the shape.
    float sizzle = clamp(stereo.w, 0.0, 1.0);
    colour += vec3(1.0) * veins(p * 2.0, ticker) * sizzle * inside * 0.9;

    // Bass transients: a blue ring at the centre.
    float bass = clamp(stereo.z, 0.0, 1.0);
    float bassRadius = 0.08 + 0.42 * bass;
    float bassRing = exp(-abs(length(p) - bassRadius) * 55.0) * smoothstep(0.0, 0.05, bass);
    colour += vec3(0.25, 0.55, 1.0) * bassRing * (0.5 + 0.5 * bass);
    colour += vec3(0.05, 0.12, 0.30) * (1.0 - smoothstep(0.0, bassRadius, length(p))) * bass;

    // Clipping: solid red.
    vec3 red = vec3(0.86, 0.06, 0.04) * (1.0 - 0.25 * dot(p, p));
    gl_FragColor = vec4(mix(colour, red, clamp(clipped, 0.0, 1.0)), 1.0);
}
