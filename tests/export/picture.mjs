// Draws model.glb with three.js from the file's camera at 640 x 480 and logs its pictures to
// the console as "picture NAME DATA-URL" lines: as the file says (plain) and front faces only
// (front); then model-shaded.glb as the file says (shaded). A last line says "done ok", or
// "done failed" with the error.
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';

const width = 640, height = 480;

function shoot(renderer, scene, camera, name) {
  renderer.render(scene, camera);
  console.log(`picture ${name} ${renderer.domElement.toDataURL('image/png')}`);
}

async function load(name) {
  const gltf = await new GLTFLoader().loadAsync(name);
  const camera = gltf.cameras[0];
  if (!camera) throw new Error(`${name} has no camera`);
  camera.aspect = width / height;
  camera.updateProjectionMatrix();
  gltf.scene.updateMatrixWorld(true);
  return { scene: gltf.scene, camera };
}

async function run() {
  const renderer = new THREE.WebGLRenderer({ antialias: false, preserveDrawingBuffer: true });
  renderer.setPixelRatio(1);
  renderer.setSize(width, height);
  renderer.setClearColor(0x000000, 1);
  document.body.appendChild(renderer.domElement);

  const { scene, camera } = await load('model.glb');

  shoot(renderer, scene, camera, 'plain');
  const materials = [];
  scene.traverse((node) => { if (node.isMesh) materials.push(node.material); });
  for (const material of materials) material.side = THREE.FrontSide;
  shoot(renderer, scene, camera, 'front');

  const shaded = await load('model-shaded.glb');
  shoot(renderer, shaded.scene, shaded.camera, 'shaded');
}

run().then(
  () => console.log('done ok'),
  (error) => console.log(`done failed ${error?.stack ?? error}`),
);
