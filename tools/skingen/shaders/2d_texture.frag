#version 110
// The texture as it is, alpha included; the current colour is ignored
// because the strip drawer leaves a tint behind.
uniform sampler2D texture0;

varying vec2 uv;

void main()
{
    gl_FragColor = texture2D(texture0, uv);
}
