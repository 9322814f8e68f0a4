#version 110
// Scope view: phosphor light. A bright core at the shape's middle and a
// soft halo that reaches nothing at its edge; a flat fill (shape 0) is the
// colour itself. Drawn added to what lies beneath.
varying vec2 shape;

void main()
{
    float d = min(length(shape), 1.0);
    float core = 1.0 - smoothstep(0.3, 0.55, d);
    float halo = (1.0 - d) * (1.0 - d);
    gl_FragColor = vec4(gl_Color.rgb, gl_Color.a * (0.7 * core + 0.3 * halo));
}
