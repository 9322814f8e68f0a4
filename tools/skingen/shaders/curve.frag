#version 110
// Shape transfer curve: output against input over -1..1, with the straight
// line of a neutral setting for reference. The curve is the output stage's:
// one or two passes of the cubic soft clip, then the rational limiter above 1.
uniform float parShape;    // 0..2

varying vec2 uv;

const vec2 SIZE = vec2(58.0, 40.0);     // the display in pixels
const vec2 RANGE = vec2(1.12, 1.18);    // plotted input and output span

float cubic(float x, float weight)
{
    return (3.0 - x * x) * (x * 0.5) * weight + (1.0 - weight) * x;
}

float shaped(float x)
{
    float s = parShape;
    float y = cubic(x, min(s, 1.0));
    if (s > 0.5)
        y = cubic(y, (min(s, 1.0) - 0.5) * 2.0);
    if (s > 1.0) {
        float m = s - 1.0;
        y = (3.0 * y / (2.0 * abs(y) + 1.0)) * m + (1.0 - m) * y;
    }
    return y;
}

// Distance in pixels from the fragment to the graph of y = f(x).
float lineDistance(vec2 p, float y, float slope)
{
    vec2 scale = SIZE * 0.5 / RANGE;
    return abs(p.y - y) * scale.y / sqrt(1.0 + slope * slope * (scale.y * scale.y) / (scale.x * scale.x));
}

void main()
{
    vec2 p = (uv * 2.0 - 1.0) * RANGE;
    float x = clamp(p.x, -1.0, 1.0);
    vec2 pixel = uv * SIZE;

    vec3 colour = vec3(0.018, 0.022, 0.030);
    float axes = min(abs(p.x) * SIZE.x * 0.5 / RANGE.x, abs(p.y) * SIZE.y * 0.5 / RANGE.y);
    colour += vec3(0.05, 0.06, 0.075) * (1.0 - smoothstep(0.3, 0.9, axes));
    float limits = min(abs(abs(p.y) - 1.0) * SIZE.y * 0.5 / RANGE.y, 10.0);
    colour += vec3(0.04, 0.045, 0.055) * (1.0 - smoothstep(0.3, 0.9, limits)) * step(0.5, fract(pixel.x / 4.0));

    float neutral = lineDistance(p, x, 1.0);
    colour += vec3(0.18, 0.19, 0.22) * (1.0 - smoothstep(0.2, 0.9, neutral));

    float e = 0.002;
    float y = shaped(x);
    float slope = (shaped(x + e) - shaped(x - e)) / (2.0 * e);
    float curve = lineDistance(p, y, slope);
    colour += vec3(1.0, 0.66, 0.24) * (1.0 - smoothstep(0.45, 1.35, curve));
    colour += vec3(1.0, 0.55, 0.15) * 0.25 * exp(-curve * 0.6);

    float frame = min(min(pixel.x, SIZE.x - pixel.x), min(pixel.y, SIZE.y - pixel.y));
    colour = mix(vec3(0.28, 0.27, 0.25), colour, smoothstep(0.4, 1.2, frame));
    gl_FragColor = vec4(colour, 1.0);
}
