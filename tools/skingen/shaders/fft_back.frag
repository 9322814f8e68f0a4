#version 110
// Equaliser background: the output spectrum (512 power values along the
// equaliser's fourth-power frequency axis, both channels summed) as a cool
// glowing fill whose height and colour follow each band's level in dB,
// over faint grid lines at 100 Hz, 1 kHz, 10 kHz and the 0 dB centre.
uniform sampler2D texture0;

varying vec2 plot;         // x: frequency position 0..1, y: height 0..1

const float FLOOR_DB = -96.0;
const float SPAN_DB = 90.0;

float gridLine(float position, float target, float halfWidth)
{
    return 1.0 - smoothstep(halfWidth, halfWidth * 2.5, abs(position - target));
}

void main()
{
    float power = texture2D(texture0, vec2(plot.x, 0.5)).r;
    float db = 10.0 * log2(max(power, 1e-12)) * 0.30103;
    float level = clamp((db - FLOOR_DB) / SPAN_DB, 0.0, 1.0);

    vec3 colour = vec3(0.014, 0.018, 0.026) + vec3(0.02, 0.05, 0.08) * level;
    float under = 1.0 - smoothstep(level - 0.01, level + 0.01, plot.y);
    float nearTop = exp(-(level - plot.y) * 9.0);
    vec3 cool = mix(vec3(0.05, 0.18, 0.32), vec3(0.30, 0.72, 0.95), level);
    colour += cool * under * (0.25 + 0.75 * nearTop) * smoothstep(0.0, 0.04, level);
    colour += vec3(0.55, 0.85, 1.0) * exp(-abs(plot.y - level) * 160.0) * 0.6 * step(0.001, level);

    float grid = max(max(gridLine(plot.x, 0.2341, 0.0011), gridLine(plot.x, 0.4681, 0.0011)),
                     max(gridLine(plot.x, 0.8402, 0.0011), gridLine(plot.y, 0.5, 0.0045)));
    colour += vec3(0.05, 0.06, 0.075) * grid;
    gl_FragColor = vec4(colour, 1.0);
}
