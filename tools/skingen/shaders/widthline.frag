#version 110
// Width display: a row of lights standing for sounds across the stereo
// field. Below neutral width they gather at the centre (all of them at the
// centre in mono); above it they are pulled out towards the sides like
// points on stretched elastic, the central light staying where it is.
uniform float width;       // 0 mono, 0.5 neutral, 1 widest

varying vec2 uv;

const float LIGHTS = 13.0;
const vec2 SIZE = vec2(320.0, 16.0);   // the panel in pixels

void main()
{
    float w = clamp(width, 0.0, 1.0) * 2.0;
    vec2 pixel = uv * SIZE;
    float glow = 0.0;
    for (float i = 0.0; i < LIGHTS; i += 1.0) {
        float x = (i / (LIGHTS - 1.0)) * 1.8 - 0.9;
        float spread = w <= 1.0
            ? x * w
            : sign(x) * (1.0 - pow(1.0 - abs(x), 1.0 + 2.0 * (w - 1.0)));
        vec2 d = pixel - vec2((spread * 0.5 + 0.5) * SIZE.x, SIZE.y * 0.5);
        float r2 = dot(d, d);
        glow += exp(-r2 / 5.0) + 0.25 * exp(-r2 / 40.0);
    }
    vec3 colour = vec3(0.018, 0.022, 0.030);
    float mark = abs(pixel.x - SIZE.x * 0.5) < 0.6 || pixel.x < 1.2 || pixel.x > SIZE.x - 1.2 ? 1.0 : 0.0;
    colour += vec3(0.06, 0.07, 0.09) * mark;
    colour += vec3(1.0, 0.62, 0.20) * (1.0 - exp(-glow * 1.3));
    colour += vec3(1.0, 0.95, 0.85) * max(glow - 1.2, 0.0) * 0.15;
    gl_FragColor = vec4(colour, 1.0);
}
