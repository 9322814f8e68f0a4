#version 110
// Soft-edged ribbon, the same profile across v as line.png. Faint lines
// (the equaliser's dB guides) are drawn as fine dots so they read as a
// grid rather than as part of the curve.
varying vec2 ribbon;
varying vec2 pixel;

void main()
{
    float edge = clamp((0.5 - abs(ribbon.y - 0.5)) / 0.22, 0.0, 1.0);
    float profile = edge * edge * (3.0 - 2.0 * edge);
    float dotted = gl_Color.a < 0.5 ? step(0.5, fract(pixel.x / 3.0)) : 1.0;
    gl_FragColor = vec4(gl_Color.rgb, gl_Color.a * max(profile, 0.35) * dotted);
}
